#pragma once
// The three list controls of the folder chooser: the drives (mounted
// volumes), the folders around the current one, and the files of a folder
// that match a pattern.

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace programs {

// The mounted volumes by their root folders, "/" first.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // Lists the volumes again and selects the one holding `folder`, without
    // a change notification.
    void refresh(const QString& folder);
    // The selected drive's root folder.
    QString Drive() const { return currentText(); }

    static QStringList mountedDrives();

signals:
    // The operator or the program selected another drive.
    void Change();
};

// The current folder's ancestors from "/" down, then its subfolders. An
// entry activated (double click, Enter) becomes the current folder.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // Moves to `path`; false, and nothing changes, when it cannot be read.
    // A move to another folder notifies Change.
    bool setPath(const QString& path);
    // Reads the current folder again (folders made or removed since), without
    // a change notification.
    void Refresh();

signals:
    void Change();

private:
    void fill();
    QString m_path;
};

// The files of one folder that match Pattern, by name.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Pattern = QStringLiteral("*.dat");

    QString Path() const { return m_path; }
    void setPath(const QString& path);
    // Reads the folder again: files written or removed since are shown.
    void Refresh() { setPath(m_path); }
    // The clicked file's name (without its folder).
    QString FileName() const;

signals:
    void Click();

private:
    QString m_path;
};

} // namespace programs
