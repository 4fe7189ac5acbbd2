#pragma once
// The operator texts the tests expect, written here from what the operator
// sees and not taken from the program's own constants, so that a changed
// text in the program fails the tests.

#include <QString>

namespace testsupport::texts {

inline const QString kNotConnected = QStringLiteral("통신이 연결되지 않았습니다.");
inline const QString kLinkError0 = QStringLiteral("통신이상 발생");
inline const QString kPortClosed = QStringLiteral("통신포트가 열려 있지 않습니다. 통신포트를 열고 다시 하십시오");
inline const QString kNotNumber = QStringLiteral(" 숫자를 입력하십시요");
inline const QString kNoSaveName = QStringLiteral("File Open 메뉴에서 저장할 화일명을 입력하십시요.");
inline const QString kAlarmAdvice = QStringLiteral("에러발생시 ALARM RESET 버튼을 누르고 에러에 대해 조치하십시요.");

} // namespace testsupport::texts
