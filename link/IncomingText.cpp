#include "link/IncomingText.h"

#include "link/CaptureFile.h"
#include "protocol/ProcessData.h"
#include "state/Global.h"

void RouteIncoming(const QByteArray& text, CaptureFile& capture, ProcessData& replies) {
    if (text.isEmpty())
        return;
    if (Global.ExchangeState == ExchangeState::RawCapture)
        capture.Append(text);
    else
        replies.ProcessIncoming(text);
}
