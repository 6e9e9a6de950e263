#pragma once

#include <QByteArray>

class CaptureFile;
class ProcessData;

// Where text from either link goes: during a fast run (raw capture) unparsed into the
// capture file, otherwise to the reply side. The serial link and the network link are
// routed alike, so that a fast run over the network records its text too.
void RouteIncoming(const QByteArray& text, CaptureFile& capture, ProcessData& replies);
