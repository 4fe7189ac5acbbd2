#pragma once
// The operator texts that more than one part of the program shows, each
// written once, exactly as the operator sees it.

#include <QString>

namespace common::texts {

// The program's name: message box titles, the run-time error source and the
// settings' application name.
inline const QString kAppTitle = QStringLiteral("Zel 통신프로그램");

// An exchange asked for while the port is closed.
inline const QString kNotConnected = QStringLiteral("통신이 연결되지 않았습니다.");

// A number box holding something other than a number.
inline const QString kNotNumber = QStringLiteral(" 숫자를 입력하십시요");

// File Save pressed while the window's file box is empty.
inline const QString kNoSaveName = QStringLiteral("File Open 메뉴에서 저장할 화일명을 입력하십시요.");

} // namespace common::texts
