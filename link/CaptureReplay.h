#pragma once

#include <QString>

#include <functional>

class CaptureFile;

// Reads the capture file of a fast run back into samples: every line of exactly seven
// characters ("-012.34") is one sample; other lines (the first may be cut) are skipped.
namespace CaptureReplay {

// Calls onSample for every sample in file order. Returns false when the file could not be
// read to its end; the samples delivered before stay delivered.
bool ForEachSample(const QString& path, const std::function<void(double)>& onSample);

// Closes a fast run's capture and hands over all its samples: those in the file when it holds
// this run, then those the disk would not take, still in memory. The capture is emptied.
void ReplayRun(CaptureFile& capture, const std::function<void(double)>& onSample);

} // namespace CaptureReplay
