#pragma once

#include <cstddef>
#include <cstdint>

// One entry per fuzzed reader. libFuzzer calls them through the fuzz programs; the test suite
// calls them with every kept corpus and regression input, so that a fixed crash stays fixed.
namespace FuzzEntries {

// Reply assembly and every reply handler. The first four bytes choose the exchange state
// (and the settings fields being typed in), the instrument family (and the model name), the
// awaited confirmation and a few flags (run under way, results file, decimal comma, chunk
// size); the rest is the received text, cut into chunks.
void Replies(const std::uint8_t* data, std::size_t size);
// The data-file reader.
void DataFile(const std::uint8_t* data, std::size_t size);
// The config.xml loader and a save of what it loaded.
void Config(const std::uint8_t* data, std::size_t size);
// The "ComPort.ini" reader and a compose of what it read.
void ComPortIni(const std::uint8_t* data, std::size_t size);
// The capture-file replay.
void CaptureReplay(const std::uint8_t* data, std::size_t size);

// Sets up what every entry needs once (an application object, message boxes that only
// record, a scratch folder).
void Initialise();

} // namespace FuzzEntries
