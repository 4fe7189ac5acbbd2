#include "linerules.h"

#include "common/strings.h"
#include "programs/cmdwords.h"

#include <span>

// The ENT check's rows, one line each, in testing order. Each row's tag is its
// first command word and its number within its group's table, so that a row
// can be found and compared by its word. Templates: "#" one digit, "?" one
// character, "*" any run, "[*]" a literal asterisk; fields count from 1.

namespace pendant::compose {

namespace {

constexpr FieldTest dec(int start, int length, int lower, int upper)
{
    return {start, length, FieldKind::Decimal, lower, upper};
}
constexpr FieldTest hex(int start, int length, int lower, int upper)
{
    return {start, length, FieldKind::Hex, lower, upper};
}
constexpr FieldTest noField{};

constexpr WrittenRule commit(std::string_view tag, std::string_view forms, FieldTest field = noField,
                             std::string_view message = {})
{
    return {tag, forms, field, message, Outcome::Commit};
}
constexpr WrittenRule step(std::string_view tag, std::string_view forms, FieldTest field, std::string_view message,
                           std::string_view state, std::string_view captions)
{
    return {tag, forms, field, message, Outcome::Step, state, captions};
}
// The new state is the line's own word followed by "_1".
constexpr WrittenRule stepWord(std::string_view tag, std::string_view forms, FieldTest field, std::string_view message,
                               std::string_view captions)
{
    return {tag, forms, field, message, Outcome::StepOpWord, {}, captions};
}
constexpr WrittenRule stepKeep(std::string_view tag, std::string_view forms, FieldTest field, std::string_view message,
                               std::string_view captions)
{
    return {tag, forms, field, message, Outcome::StepKeepState, {}, captions};
}
constexpr WrittenRule stepAppend(std::string_view tag, std::string_view forms, FieldTest field,
                                 std::string_view message, std::string_view state, std::string_view append)
{
    return {tag, forms, field, message, Outcome::StepAppend, state, {}, append};
}
constexpr WrittenRule append(std::string_view tag, std::string_view forms, FieldTest field, std::string_view message,
                             std::string_view text)
{
    return {tag, forms, field, message, Outcome::Append, {}, {}, text};
}
// A row of the operation block: forms hold what follows the word; the field's
// start is that of the three-letter words.
constexpr WrittenRule op(WrittenRule r)
{
    r.family = Family::OperationWord;
    return r;
}

// Point motion: MVE MVS MVL HERC HERA (one point), MA MC CR AR (two operands), SFT.
constexpr WrittenRule kPointMotionRows[] = {
    commit("MVE-1", "MVE P(R##)", dec(8, 2, 0, 99), "P(R00)~P(R99)"),
    commit("MVE-2", "MVE P([*]##)", dec(8, 2, 0, 99), "P(*00)~P(*99)"),
    commit("MVE-3", "MVE P*?", dec(6, 3, 0, 999), "P000~P999"),
    commit("MVS-4", "MVS P(R*?)", dec(8, 2, 0, 99), "P(R00)~P(R99)"),
    commit("MVS-5", "MVS P([*]*?)", dec(8, 2, 0, 99), "P(*00)~P(*99)"),
    commit("MVS-6", "MVS P*?", dec(6, 3, 0, 999), "P000~P999"),
    commit("MVL-7", "MVL P(R*?)", dec(8, 2, 0, 99), "P(R00)~P(R99)"),
    commit("MVL-8", "MVL P([*]*?)", dec(8, 2, 0, 99), "P(*00)~P(*99)"),
    commit("MVL-9", "MVL P*?", dec(6, 3, 0, 999), "P000~P999"),
    commit("HERC-10", "HERC P(R*?)", dec(9, 2, 0, 99), "P(R00)~P(R99)"),
    commit("HERC-11", "HERC P([*]*?)", dec(9, 2, 0, 99), "P(*00)~P(*99)"),
    commit("HERC-12", "HERC P*?", dec(7, 3, 0, 999), "P000~P999"),
    commit("HERA-13", "HERA P(R*?)", dec(9, 2, 0, 99), "P(R00)~P(R99)"),
    commit("HERA-14", "HERA P([*]*?)", dec(9, 2, 0, 99), "P(*00)~P(*99)"),
    commit("HERA-15", "HERA P*?", dec(7, 3, 0, 999), "P000~P999"),
    step("MA-16", "MA R??", dec(5, 2, 0, 99), "R00~99", "MA_1", "REG|R(R)|0~9"),
    step("MA-17", "MA [*]??", dec(5, 2, 0, 99), "*00~99", "MA_1", "REG|R(R)|0~9"),
    step("MA-18", "MA P???", dec(5, 3, 0, 999), "P000~P999", "MA_1", "REG|R(R)|0~9"),
    commit("MA-19", "MA R?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("MA-20", "MA R?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("MA-21", "MA R?? ???", dec(8, 3, 1, 100), "001~100"),
    commit("MA-22", "MA [*]?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("MA-23", "MA [*]?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("MA-24", "MA [*]?? ???", dec(8, 3, 1, 100), "001~100"),
    commit("MA-25", "MA P??? R??", dec(10, 2, 0, 99), "R00~99"),
    commit("MA-26", "MA P??? [*]??", dec(10, 2, 0, 99), "*00~99"),
    commit("MA-27", "MA P??? ???", dec(9, 3, 1, 100), "001~100"),
    step("MC-28", "MC R??", dec(5, 2, 0, 99), "R00~99", "MC_1", "REG|R(R)|0~9"),
    step("MC-29", "MC [*]??", dec(5, 2, 0, 99), "*00~99", "MC_1", "REG|R(R)|0~9"),
    step("MC-30", "MC P???", dec(5, 3, 0, 999), "P000~P999", "MC_1", "REG|R(R)|0~9"),
    commit("MC-31", "MC R?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("MC-32", "MC R?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("MC-33", "MC R?? ???", dec(8, 3, 0, 999), "P000~P999"),
    commit("MC-34", "MC [*]?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("MC-35", "MC [*]?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("MC-36", "MC [*]?? ???", dec(8, 3, 0, 999), "P000~P999"),
    commit("MC-37", "MC P??? R??", dec(10, 2, 0, 99), "R00~99"),
    commit("MC-38", "MC P??? [*]??", dec(10, 2, 0, 99), "*00~99"),
    commit("MC-39", "MC P??? ???", dec(9, 3, 0, 999), "P000~P999"),
    step("CR-40", "CR R??", dec(5, 2, 0, 99), "R00~99", "CR_1", "REG|R(R)|0~9"),
    step("CR-41", "CR [*]??", dec(5, 2, 0, 99), "*00~99", "CR_1", "REG|R(R)|0~9"),
    step("CR-42", "CR P???", dec(5, 3, 0, 999), "P000~P999", "CR_1", "REG|R(R)|0~9"),
    commit("CR-43", "CR R?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("CR-44", "CR R?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("CR-45", "CR R?? ???", dec(8, 3, 0, 999), "P000~P999"),
    commit("CR-46", "CR [*]?? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("CR-47", "CR [*]?? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("CR-48", "CR [*]?? ???", dec(8, 3, 0, 999), "P000~P999"),
    commit("CR-49", "CR P??? R??", dec(10, 2, 0, 99), "R00~99"),
    commit("CR-50", "CR P??? [*]??", dec(10, 2, 0, 99), "*00~99"),
    commit("CR-51", "CR P??? ???", dec(9, 3, 0, 999), "P000~P999"),
    step("AR-52", "AR P???", dec(5, 3, 0, 999), "P000~P999", "AR_1", "0~9"),
    commit("AR-53", "AR P??? ???", dec(9, 3, 1, 999), "001~999"),
    commit("SFT-54", "SFT S(R??)", dec(8, 2, 0, 99), "S(R00)~S(R99)"),
    commit("SFT-55", "SFT S([*]??)", dec(8, 2, 0, 99), "S(*00)~S(*99)"),
    commit("SFT-56", "SFT S??", dec(6, 2, 0, 99), "S00~S99"),
};

// Shift and path motion: MF MB SF SB PM PS DRP DRS (two operands), SPL UP VMP VMN.
constexpr WrittenRule kPathMotionRows[] = {
    step("MF-1", "MF R??", dec(5, 2, 0, 99), "R00~99", "MF_1", "0~9|(-)"),
    step("MF-2", "MF [*]??", dec(5, 2, 0, 99), "*00~99", "MF_1", "0~9|(-)"),
    step("MF-3", "MF P???", dec(5, 3, 0, 999), "P000~P999", "MF_1", "0~9|(-)"),
    commit("MF-4", "MF R?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("MF-5", "MF R?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("MF-6", "MF [*]?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("MF-7", "MF [*]?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("MF-8", "MF P??? -??", dec(10, 2, 1, 16), "-01~ -16"),
    commit("MF-9", "MF P??? ??", dec(9, 2, 1, 16), "01~16"),
    step("MB-10", "MB R??", dec(5, 2, 0, 99), "R00~99", "MB_1", "0~9|(-)"),
    step("MB-11", "MB [*]??", dec(5, 2, 0, 99), "*00~99", "MB_1", "0~9|(-)"),
    step("MB-12", "MB P???", dec(5, 3, 0, 999), "P000~P999", "MB_1", "0~9|(-)"),
    commit("MB-13", "MB R?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("MB-14", "MB R?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("MB-15", "MB [*]?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("MB-16", "MB [*]?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("MB-17", "MB P??? -??", dec(10, 2, 1, 16), "-01~ -16"),
    commit("MB-18", "MB P??? ??", dec(9, 2, 1, 16), "01~16"),
    step("SF-19", "SF R??", dec(5, 2, 0, 99), "R00~99", "SF_1", "0~9|(-)"),
    step("SF-20", "SF [*]??", dec(5, 2, 0, 99), "*00~99", "SF_1", "0~9|(-)"),
    step("SF-21", "SF S??", dec(5, 2, 0, 99), "S00~S99", "SF_1", "0~9|(-)"),
    commit("SF-22", "SF R?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SF-23", "SF R?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("SF-24", "SF [*]?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SF-25", "SF [*]?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("SF-26", "SF S?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SF-27", "SF S?? ??", dec(8, 2, 1, 16), "01~16"),
    step("SB-28", "SB R??", dec(5, 2, 0, 99), "R00~99", "SB_1", "0~9|(-)"),
    step("SB-29", "SB [*]??", dec(5, 2, 0, 99), "*00~99", "SB_1", "0~9|(-)"),
    step("SB-30", "SB S??", dec(5, 2, 0, 99), "S00~S99", "SB_1", "0~9|(-)"),
    commit("SB-31", "SB R?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SB-32", "SB R?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("SB-33", "SB [*]?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SB-34", "SB [*]?? ??", dec(8, 2, 1, 16), "01~16"),
    commit("SB-35", "SB S?? -??", dec(9, 2, 1, 16), "-01~ -16"),
    commit("SB-36", "SB S?? ??", dec(8, 2, 1, 16), "01~16"),
    step("PM-37", "PM ???", dec(4, 3, 1, 100), "001~100", "PM_1", "REG|R(R)|0~9"),
    commit("PM-38", "PM ??? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("PM-39", "PM ??? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("PM-40", "PM ??? ????", dec(8, 4, 0, 9999), "0000~9999"),
    step("PS-41", "PS ???", dec(4, 3, 1, 100), "001~100", "PS_1", "REG|R(R)|0~9"),
    commit("PS-42", "PS ??? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("PS-43", "PS ??? [*]??", dec(9, 2, 0, 99), "*00~99"),
    commit("PS-44", "PS ??? ????", dec(8, 4, 0, 9999), "0000~9999"),
    step("DRP-45", "DRP R??", dec(6, 2, 0, 99), "R00~99", "DRP_1", "0h"),
    step("DRP-46", "DRP [*]??", dec(6, 2, 0, 99), "*00~99", "DRP_1", "0h"),
    step("DRP-47", "DRP P???", dec(6, 3, 0, 999), "P000~P999", "DRP_1", "0h"),
    commit("DRP-48", "DRP R?? ?h", hex(9, 1, 0, 15), "0h~Fh"),
    commit("DRP-49", "DRP [*]?? ?h", hex(9, 1, 0, 15), "0h~Fh"),
    commit("DRP-50", "DRP P??? ?h", hex(10, 1, 0, 15), "0h~Fh"),
    step("DRS-51", "DRS R??", dec(6, 2, 0, 99), "R00~99", "DRS_1", "0h"),
    step("DRS-52", "DRS [*]??", dec(6, 2, 0, 99), "*00~99", "DRS_1", "0h"),
    step("DRS-53", "DRS S??", dec(6, 2, 0, 99), "S00~S99", "DRS_1", "0h"),
    commit("DRS-54", "DRS R?? ?h", hex(9, 1, 0, 15), "0h~Fh"),
    commit("DRS-55", "DRS [*]?? ?h", hex(9, 1, 0, 15), "0h~Fh"),
    commit("DRS-56", "DRS S?? ?h", hex(9, 1, 0, 15), "0h~Fh"),
    commit("SPL-57", "SPL R??", dec(6, 2, 0, 99), "R00~99"),
    commit("SPL-58", "SPL [*]??", dec(6, 2, 0, 99), "*00~99"),
    commit("SPL-59", "SPL ??", dec(5, 2, 1, 10), "01~10"),
    commit("UP-60", "UP P???", dec(5, 3, 0, 999), "P000~P999"),
    commit("VMP-61", "VMP R??", dec(6, 2, 0, 99), "R00~99"),
    commit("VMP-62", "VMP [*]??", dec(6, 2, 0, 99), "*00~99"),
    commit("VMP-63", "VMP ???", dec(5, 3, 1, 100), "001~100"),
    commit("VMN-64", "VMN R??", dec(6, 2, 0, 99), "R00~99"),
    commit("VMN-65", "VMN [*]??", dec(6, 2, 0, 99), "*00~99"),
    commit("VMN-66", "VMN ???", dec(5, 3, 1, 100), "001~100"),
};

// Program flow: IF (left operand, then comparison and right operand), GOT, DLY, JMP, HOME, STOP RET RETC, CALL.
constexpr WrittenRule kProgramFlowRows[] = {
    step("IF-1", "IF R??", dec(5, 2, 0, 99), "R00~99", "IF_1", ">|<|=|!="),
    step("IF-2", "IF [*]??", dec(5, 2, 0, 99), "*00~99", "IF_1", ">|<|=|!="),
    step("IF-3", "IF F??", dec(5, 2, 0, 15), "F00~F15", "IF_1", ">|<|=|!="),
    commit("IF-4",
           "IF R?? > R?? or IF R?? < R?? or IF R?? = R?? or "
           "IF [*]?? > R?? or IF [*]?? < R?? or IF [*]?? = R?? or "
           "IF F?? > R?? or IF F?? < R?? or IF F?? = R??",
           dec(11, 2, 0, 99), "R00~99"),
    commit("IF-5", "IF R?? != R?? or IF [*]?? != R?? or IF F?? != R??", dec(12, 2, 0, 99), "R00~99"),
    commit("IF-6",
           "IF R?? > [*]?? or IF R?? < [*]?? or IF R?? = [*]?? or "
           "IF [*]?? > [*]?? or IF [*]?? < [*]?? or IF [*]?? = [*]?? or "
           "IF F?? > [*]?? or IF F?? < [*]?? or IF F?? = [*]??",
           dec(11, 2, 0, 99), "*00~99"),
    commit("IF-7", "IF R?? != [*]?? or IF [*]?? != [*]?? or IF F?? != [*]??", dec(12, 2, 0, 99), "*00~99"),
    commit("IF-8",
           "IF R?? > ??h or IF R?? < ??h or IF R?? = ??h or "
           "IF [*]?? > ??h or IF [*]?? < ??h or IF [*]?? = ??h or "
           "IF F?? > ??h or IF F?? < ??h or IF F?? = ??h",
           hex(10, 2, 0, 255), "00h~FFh"),
    commit("IF-9", "IF R?? != ??h or IF [*]?? != ??h or IF F?? != ??h", hex(11, 2, 0, 255), "00h~FFh"),
    commit("IF-10",
           "IF R?? > F?? or IF R?? < F?? or IF R?? = F?? or "
           "IF [*]?? > F?? or IF [*]?? < F?? or IF [*]?? = F?? or "
           "IF F?? > F?? or IF F?? < F?? or IF F?? = F??",
           dec(11, 2, 0, 15), "F00~F15"),
    commit("IF-11", "IF R?? != F?? or IF [*]?? != F?? or IF F?? != F??", dec(12, 2, 0, 15), "F00~F15"),
    commit("IF-12",
           "IF R?? > ??? or IF R?? < ??? or IF R?? = ??? or "
           "IF [*]?? > ??? or IF [*]?? < ??? or IF [*]?? = ??? or "
           "IF F?? > ??? or IF F?? < ??? or IF F?? = ???",
           dec(10, 3, 0, 255), "000~255"),
    commit("IF-13", "IF R?? != ??? or IF [*]?? != ??? or IF F?? != ???", dec(11, 3, 0, 255), "000~255"),
    commit("GOT-14", "GOT L??", dec(6, 2, 0, 50), "L00~L50"),
    commit("DLY-15", "DLY ??????", dec(5, 6, 1, 999999), "000001~999999"),
    step("JMP-16", "JMP L??", dec(6, 2, 0, 50), "L00~L50", "JMP_1", "REG|R(R)|0~9"),
    commit("JMP-17", "JMP L?? R??", dec(10, 2, 0, 99), "R00~99"),
    commit("JMP-18", "JMP L?? [*]??", dec(10, 2, 0, 99), "*00~99"),
    commit("JMP-19", "JMP L?? ???", dec(9, 3, 0, 255), "0~255"),
    commit("HOME-20", "HOME ??h", hex(6, 2, 0, 255), "00h~FFh"),
    commit("STOP-21", "STOP or RET or RETC"),
    commit("CALL-22", "CALL PRG??", dec(9, 2, 0, 31), "00~31"),
};

// Signals and I/O: SIGB SIGI SIGO JB WAIT TMS PWR, SM LP LS (three operands), SA RUN.
constexpr WrittenRule kSignalRows[] = {
    commit("SIGB-1", "SIGB ??", dec(6, 2, 1, 24), "01~24"),
    commit("SIGB-2", "SIGB -??", dec(7, 2, 1, 24), "-01~ -24"),
    step("SIGI-3", "SIGI R??", dec(7, 2, 0, 99), "R00~99", "SIGI_1", "1|2"),
    commit("SIGI-4", "SIGI R?? ?", dec(10, 1, 1, 2), "1~2"),
    step("SIGO-5", "SIGO ?", dec(6, 1, 1, 3), "1~3", "SIGO_1", "REG|HEX|0~9"),
    commit("SIGO-6", "SIGO AON"),
    commit("SIGO-7", "SIGO AOFF"),
    commit("SIGO-8", "SIGO ? R??", dec(9, 2, 0, 99), "R00~99"),
    commit("SIGO-9", "SIGO ? ??h", hex(8, 2, 0, 255), "00h~FFh"),
    commit("SIGO-10", "SIGO ? ???", dec(8, 3, 0, 255), "000~255"),
    step("JB-11", "JB ??", dec(4, 2, 1, 16), "01~16", "JB_1", "L00|PRG|0~9|(-)"),
    step("JB-12", "JB -??", dec(5, 2, 1, 16), "-01~ -16", "JB_1", "L00|PRG|0~9|(-)"),
    commit("JB-13", "JB ?? L??", dec(8, 2, 0, 50), "L00~L50"),
    commit("JB-14", "JB ?? PRG??", dec(10, 2, 0, 31), "PRG00~PRG31"),
    commit("JB-15", "JB ?? ??", dec(7, 2, 1, 24), "01~24"),
    commit("JB-16", "JB ?? -??", dec(8, 2, 1, 24), "-01~ -24"),
    commit("JB-17", "JB -?? L??", dec(9, 2, 0, 50), "L00~L50"),
    commit("JB-18", "JB -?? PRG??", dec(11, 2, 0, 31), "PRG00~PRG31"),
    commit("JB-19", "JB -?? ??", dec(8, 2, 1, 24), "01~24"),
    commit("JB-20", "JB -?? -??", dec(9, 2, 1, 24), "-01~ -24"),
    commit("WAIT-21", "WAIT -??", dec(7, 2, 1, 16), "-01~ -16"),
    commit("WAIT-22", "WAIT ??", dec(6, 2, 1, 16), "01~16"),
    stepAppend("TMS-23", "TMS -??", dec(6, 2, 1, 16), "-01~ -16", "TMS_1", " 0001"),
    stepAppend("TMS-24", "TMS ??", dec(5, 2, 1, 16), "01~16", "TMS_1", " 0001"),
    commit("TMS-25", "TMS -?? ????", dec(9, 4, 1, 9999), "0001~9999"),
    commit("TMS-26", "TMS ?? ????", dec(8, 4, 1, 9999), "0001~9999"),
    commit("PWR-27", "PWR ON"),
    commit("PWR-28", "PWR OFF"),
    append("SM-29", "SM ?? or LP ?? or LS ??", dec(4, 2, 0, 99), "R00~99", " 00"),
    append("SM-30", "SM ?? ?? or LP ?? ?? or LS ?? ??", dec(7, 2, 0, 99), "R00~99", " 00"),
    commit("SM-31", "SM ?? ?? ?? or LP ?? ?? ?? or LS ?? ?? ??", dec(10, 2, 0, 99), "R00~99"),
    step("SA-32", "SA ????h", hex(4, 4, 0x0000, 0xFFFF), "0000h~ FFFFh", "SA_1", "0~9"),
    step("SA-33", "SA -????h", hex(5, 4, 0x0000, 0xFFFF), "-0000h~ -FFFFh", "SA_1", "0~9"),
    commit("SA-34", "SA ????h ???", dec(10, 3, 1, 100), "001~100"),
    commit("SA-35", "SA -????h ???", dec(11, 3, 1, 100), "001~100"),
    step("RUN-36", "RUN PRG??", dec(8, 2, 0, 31), "PRG00~ PRG31", "RUN_1", "0~9"),
    commit("RUN-37", "RUN PRG?? ?", dec(11, 1, 1, 4), "1~4"),
};

// Parameters: ACC DCC SPD (axis, then value), TSPD, INP, READ, WRITE.
constexpr WrittenRule kParameterRows[] = {
    step("ACC-1", "ACC ?", dec(5, 1, 1, kAxisCount), "1~ 제어기축수", "ACC_1", "0~9"),
    commit("ACC-2", "ACC ? ???", dec(7, 3, 0, 200), "000~200"),
    step("DCC-3", "DCC ?", dec(5, 1, 1, kAxisCount), "1~ 제어기축수", "DCC_1", "0~9"),
    commit("DCC-4", "DCC ? ???", dec(7, 3, 0, 200), "000~200"),
    step("SPD-5", "SPD ?", dec(5, 1, 1, kAxisCount), "1~ 제어기축수", "SPD_1", "REG|R(R)|0~9"),
    commit("SPD-6", "SPD ? R??", dec(8, 2, 0, 99), "R00~99"),
    commit("SPD-7", "SPD ? [*]??", dec(8, 2, 0, 99), "*00~99"),
    commit("SPD-8", "SPD ? ???", dec(7, 3, 1, 100), "001~100"),
    commit("TSPD-9", "TSPD R??", dec(7, 2, 0, 99), "R00~99"),
    commit("TSPD-10", "TSPD [*]??", dec(7, 2, 0, 99), "*00~99"),
    commit("TSPD-11", "TSPD ???", dec(6, 3, 1, 100), "001~100"),
    commit("INP-12", "INP ??????", dec(5, 6, 0, 900000), "000000~900000"),
    commit("READ-13", "READ P???", dec(7, 3, 0, 999), "P000~P999"),
    commit("READ-14", "READ S??", dec(7, 2, 0, 99), "S00~S99"),
    commit("WRITE-15", "WRITE P???", dec(8, 3, 0, 999), "P000~P999"),
    commit("WRITE-16", "WRITE APOS or WRITE IN or WRITE OUT"),
};

// Arithmetic and definitions. Rows op-1 to op-12 are the operation block of
// ADD SUB OR AND MUL SET: a line that begins with one of those words is
// decided inside the block or not at all.
constexpr WrittenRule kArithmeticRows[] = {
    op(stepWord("op-1", " R??", dec(6, 2, 0, 99), "R00~99", "REG|R(R)|FREG|HEX|0~9")),
    op(stepWord("op-2", " [*]??", dec(6, 2, 0, 99), "R00~99", "REG|R(R)|FREG|HEX|0~9")),
    op(commit("op-3", " R## R##", dec(10, 2, 0, 99), "R00~99")),
    op(commit("op-4", " R## [*]##", dec(10, 2, 0, 99), "*00~99")),
    op(commit("op-5", " R## F##", dec(10, 2, 0, 15), "F00~F15")),
    op(commit("op-6", " R## ####", dec(9, 4, 0, 4095), "0000~4095")),
    op(commit("op-7", " R## ???h", hex(9, 3, 0, 4095), "000h~FFFh")),
    op(commit("op-8", " [*]## R##", dec(10, 2, 0, 99), "R00~99")),
    op(commit("op-9", " [*]## [*]##", dec(10, 2, 0, 99), "*00~99")),
    op(commit("op-10", " [*]## F##", dec(10, 2, 0, 15), "F00~F15")),
    op(commit("op-11", " [*]## ####", dec(9, 4, 0, 4095), "0000~4095")),
    op(commit("op-12", " [*]## ???h", hex(9, 3, 0, 4095), "000h~FFFh")),
    commit("INC-13", "INC R??", dec(6, 2, 0, 99), "R00~99"),
    commit("INC-14", "INC [*]??", dec(6, 2, 0, 99), "*00~99"),
    commit("DEC-15", "DEC R??", dec(6, 2, 0, 99), "R00~99"),
    commit("DEC-16", "DEC [*]??", dec(6, 2, 0, 99), "*00~99"),
    stepWord("ADF-17", "ADF F?? or SUF F?? or MUF F??", dec(6, 2, 0, 15), "F00~F15", "FREG|F(F)|REG"),
    stepWord("ADF-18", "ADF [*]?? or SUF [*]?? or MUF [*]??", dec(6, 2, 0, 99), "*00~99", "FREG|F(F)|REG"),
    commit("ADF-19", "ADF F?? F?? or ADF [*]?? F?? or SUF F?? F?? or SUF [*]?? F?? or MUF F?? F?? or MUF [*]?? F??",
           dec(10, 2, 0, 15), "F00~F15"),
    commit("ADF-20",
           "ADF F?? [*]?? or ADF [*]?? [*]?? or SUF F?? [*]?? or SUF [*]?? [*]?? or MUF F?? [*]?? or MUF [*]?? [*]??",
           dec(10, 2, 0, 99), "*00~99"),
    commit("ADF-21", "ADF F?? R?? or ADF [*]?? R?? or SUF F?? R?? or SUF [*]?? R?? or MUF F?? R?? or MUF [*]?? R??",
           dec(10, 2, 0, 99), "R00~99"),
    commit("L-22", "L??", dec(2, 2, 0, 50), "L00~L50"),
    stepKeep("INT-23", "INT ?", dec(5, 1, 1, 3), "1~3", "LAB|PRG|OFF"),
    commit("INT-24", "INT ? L??", dec(8, 2, 0, 50), "L00~L50"),
    commit("INT-25", "INT ? PRG??", dec(10, 2, 0, 31), "PRG00~PRG31"),
    commit("INT-26", "INT ? OFF"),
    commit("CCLR-27", "CCLR ?", dec(6, 1, 1, kAxisCount), "1~제어기축수"),
    step("F-28", "F??", dec(2, 2, 0, 15), "F00~F15", "F_1", "0~9|(-)"),
    // The value is read from its first ten characters; any further ones stay in the line.
    commit("F-29", "F?? *", dec(5, 10, -2200, 2200), "+/- 0.00 ~ 2200.00"),
    append("LAP-30", "LAP F?? or LAS F?? or LEP F?? or LES F??", dec(6, 2, 0, 15), "F00~F15", " 1"),
    append("LAP-31", "LAP F?? ? or LAS F?? ? or LEP F?? ? or LES F?? ?", dec(9, 1, 1, kAxisCount), "1~제어기축수",
           " 00"),
    commit("LAP-32", "LAP F?? ? ?? or LAS F?? ? ?? or LEP F?? ? ?? or LES F?? ? ??", dec(11, 2, 0, 99), "R00~99"),
    step("OF-33", "OF?", dec(3, 1, 1, kAxisCount), "1~제어기축수", "OF_1", "0~9|(-)"),
    commit("OF-34", "OF? *", dec(5, 10, -2200, 2200), "+/- 0.00 ~ 2200.00"),
};

constexpr std::span<const WrittenRule> kGroups[] = {kPointMotionRows, kPathMotionRows, kProgramFlowRows,
                                                    kSignalRows,      kParameterRows,  kArithmeticRows};

QStringList split(std::string_view s, std::string_view separator)
{
    QStringList out;
    if (s.empty())
        return out;
    for (;;) {
        const std::size_t at = s.find(separator);
        out << common::toQString(s.substr(0, at));
        if (at == std::string_view::npos)
            return out;
        s.remove_prefix(at + separator.size());
    }
}

LineRule build(const WrittenRule& written)
{
    LineRule r;
    r.tag = common::toQString(written.tag);
    r.field = written.field;
    r.message = common::toQString(written.message);
    r.outcome = written.outcome;
    r.state = common::toQString(written.state);
    r.captions = split(written.captions, "|");
    r.append = common::toQString(written.append);
    r.operationBlock = written.family == Family::OperationWord;
    for (const QString& form : split(written.forms, " or ")) {
        if (!r.operationBlock) {
            r.forms.push_back({common::LineTemplate(form), QString(), 0});
            continue;
        }
        for (std::string_view word : programs::kOperationWords) {
            const QString w = common::toQString(word);
            r.forms.push_back({common::LineTemplate(w + form), w, int(word.size()) - 3});
        }
    }
    return r;
}

} // namespace

const std::vector<LineRule>& lineRules()
{
    static const std::vector<LineRule> rules = [] {
        std::vector<LineRule> out;
        for (std::span<const WrittenRule> group : kGroups)
            for (const WrittenRule& written : group)
                out.push_back(build(written));
        return out;
    }();
    return rules;
}

} // namespace pendant::compose
