#pragma once

// The SuppressNextClick mark: the reply side sets a control's Tag to 1 before it changes the
// control, so that the click this raises sends nothing back to the gauge. A handler of such a
// control starts with: if (TakeSuppressedClick(*control)) return;
constexpr int SuppressNextClick = 1;

template <typename Control> bool TakeSuppressedClick(Control& control) {
    if (control.Tag() != SuppressNextClick)
        return false;
    control.SetTag(0);
    return true;
}
