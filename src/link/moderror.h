#pragma once
// The link error texts and box, and the controller's error record.

#include <QString>

#include <array>
#include <cstdint>

namespace comm {

extern std::array<QString, 101> g_ErrMsg;

// Fills link error texts 0 and 1.
void InitErrMsgs();

// The link error box: OK and Cancel, title "ERROR", the answer ignored.
// Code 0: an exchange failed; code 1: the port is closed.
void ShowLinkError(std::int16_t code);

// The line of text for a controller error record.
QString CtrlErrorText(std::int16_t code, std::int16_t value);

// The text of the box that shows a received error record.
QString ctrlErrorMessage(std::int16_t code, std::int16_t value);

// The whole error-record exchange and its boxes.
void ReadCtrlError();

} // namespace comm
