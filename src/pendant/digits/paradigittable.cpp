// The parameter digit editor's rows in match order, in three blocks. Block 2
// serves ADD, SUB, OR, AND, MUL and SET alike: its templates are tails that
// follow the line's operation word, and its positions are those of a
// three-letter word (an OR line has every position one less).

#include "pendant/digits/digitrow.h"
#include "pendant/digits/tablebuild.h"

#include <iterator>

namespace pendant::digits {

namespace {
using namespace rows;

constexpr DigitRow kParaBlock1[] = {
    held("ACC-1", {"ACC # ###", "DCC # ###"}, at(7, 3), 5, " "),
    held("SPD-1", {"SPD # R##"}, at(8, 2), 5, " R"),
    held("SPD-2", {"SPD # [*]##"}, at(8, 2), 5, " *"),
    held("SPD-3", {"SPD # ###"}, at(7, 3), 5, " "),
    fixed("TSPD-1", {"TSPD R##"}, at(7, 2), "TSPD R"),
    fixed("TSPD-2", {"TSPD [*]##"}, at(7, 2), "TSPD *"),
    fixed("TSPD-3", {"TSPD ###"}, at(6, 3), "TSPD "),
    fixed("INP-1", {"INP ######"}, at(5, 6), "INP "),
    fixed("READ-1", {"READ P###"}, at(7, 3), "READ P"),
    fixed("READ-2", {"READ S##"}, at(7, 2), "READ S"),
    fixed("WRITE-1", {"WRITE P###"}, at(8, 3), "WRITE P"),
};

constexpr DigitRow kParaBlock2[] = {
    word("OP-1", {" R##"}, at(6, 2), " R"),
    held("OP-2", {" R## R##"}, at(10, 2), 7, " R"),
    held("OP-3", {" R## [*]##"}, at(10, 2), 7, " *"),
    held("OP-4", {" R## F##"}, at(10, 2), 7, " F"),
    held("OP-5", {" R## ####"}, at(9, 4), 7, " "),
    held("OP-6", {" R## ???h"}, at(9, 3), 7, " ", "h"),
    word("OP-7", {" [*]##"}, at(6, 2), " *"),
    held("OP-8", {" [*]## R##"}, at(10, 2), 7, " R"),
    held("OP-9", {" [*]## [*]##"}, at(10, 2), 7, " *"),
    held("OP-10", {" [*]## F##"}, at(10, 2), 7, " F"),
    held("OP-11", {" [*]## ####"}, at(9, 4), 7, " "),
    held("OP-12", {" [*]## ???h"}, at(9, 3), 7, " ", "h"),
};

constexpr DigitRow kParaBlock3[] = {
    fixed("INC-1", {"INC R##"}, at(6, 2), "INC R"),
    fixed("INC-2", {"INC [*]##"}, at(6, 2), "INC *"),
    fixed("DEC-1", {"DEC R##"}, at(6, 2), "DEC R"),
    fixed("DEC-2", {"DEC [*]##"}, at(6, 2), "DEC *"),
    fixed("ADF-1", {"ADF F##"}, at(6, 2), "ADF F"),
    fixed("ADF-2", {"ADF [*]##"}, at(6, 2), "ADF *"),
    fixed("SUF-1", {"SUF F##"}, at(6, 2), "SUF F"),
    fixed("SUF-2", {"SUF [*]##"}, at(6, 2), "SUF *"),
    fixed("MUF-1", {"MUF F##"}, at(6, 2), "MUF F"),
    fixed("MUF-2", {"MUF [*]##"}, at(6, 2), "MUF *"),
    held("xF-1", {"ADF F## F##", "SUF F## F##", "MUF F## F##", "ADF [*]## F##", "SUF [*]## F##", "MUF [*]## F##"},
         at(10, 2), 7, " F"),
    held("xF-2",
         {"ADF F## [*]##", "SUF F## [*]##", "MUF F## [*]##", "ADF [*]## [*]##", "SUF [*]## [*]##", "MUF [*]## [*]##"},
         at(10, 2), 7, " *"),
    held("xF-3", {"ADF F## R##", "SUF F## R##", "MUF F## R##", "ADF [*]## R##", "SUF [*]## R##", "MUF [*]## R##"},
         at(10, 2), 7, " R"),
};

constexpr std::size_t kParaRows = std::size(kParaBlock1) + std::size(kParaBlock2) + std::size(kParaBlock3);

constexpr std::array<DigitRow, kParaRows> joinBlocks()
{
    std::array<DigitRow, kParaRows> out{};
    std::size_t n = 0;
    for (DigitRow r : kParaBlock1) {
        r.block = 1;
        out[n++] = r;
    }
    for (DigitRow r : kParaBlock2) {
        r.block = 2;
        out[n++] = r;
    }
    for (DigitRow r : kParaBlock3) {
        r.block = 3;
        out[n++] = r;
    }
    return out;
}

constexpr std::array<DigitRow, kParaRows> kParaDigitTable = joinBlocks();

} // namespace

std::span<const DigitRow> paraDigitTable()
{
    return kParaDigitTable;
}

} // namespace pendant::digits
