// Off-line data: downloading a memory of the gauge onto the chart, and erasing it.
#include "app/MainForm.h"

#include "app/state/Global.h"

void TMainForm::sbGetDataClick() {
    // Stand-in: downloads the samples of the chosen memory ("Sc").
}

void TMainForm::sbResetClick() {
    // Stand-in: erases the chosen memory ("Sr").
}
