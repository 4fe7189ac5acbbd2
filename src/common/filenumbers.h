#pragma once
// The program's numbered files: every reader of a text file holds file
// number 1 while it reads, every writer number 2. A reader that finds its
// number still held (a read started while another waits behind a message
// box) fails with error 55, file already open.

namespace common {

class FileNumber {
public:
    static constexpr int Reader = 1;
    static constexpr int Writer = 2;

    explicit FileNumber(int number);
    ~FileNumber();
    FileNumber(const FileNumber&) = delete;
    FileNumber& operator=(const FileNumber&) = delete;

    // False when the number was already held: error 55.
    bool claimed() const { return m_claimed; }

    static bool inUse(int number);
    // Closes the number whoever holds it (what a reader meeting error 55 does).
    static void close(int number);

private:
    int m_number;
    bool m_claimed;
};

} // namespace common
