#include "folderlists.h"

#include "folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace programs {

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Change(); });
}

QStringList DriveListBox::mountedDrives()
{
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && !roots.contains(v.rootPath()))
            roots << v.rootPath();
    std::sort(roots.begin(), roots.end());
    roots.removeAll(QStringLiteral("/"));
    roots.prepend(QStringLiteral("/"));
    return roots;
}

void DriveListBox::refresh(const QString& folder)
{
    const QSignalBlocker block(this);
    clear();
    addItems(mountedDrives());
    const QString root = QStorageInfo(folder).rootPath();
    const int i = findText(root);
    setCurrentIndex(i >= 0 ? i : 0);
}

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

bool DirListBox::setPath(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(path).isReadable())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == m_path)
        return true;
    m_path = clean;
    fill();
    emit Change();
    return true;
}

void DirListBox::Refresh()
{
    if (!m_path.isEmpty())
        fill();
}

void DirListBox::fill()
{
    clear();
    QStringList chain;
    for (QDir d(m_path);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    auto add = [this](const QString& full, const QString& label, int indent) {
        auto* item = new QListWidgetItem(QString(indent * 2, u' ') + label, this);
        item->setData(Qt::UserRole, full);
        return item;
    };
    for (const QString& folder : chain) {
        const QString label = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
        QListWidgetItem* item = add(folder, label, depth++);
        if (folder == m_path)
            setCurrentItem(item);
    }
    // Qt lists a link with the folders whatever it leads to; a link to a
    // device (an adapter's lasting name) is no folder.
    for (const QFileInfo& sub : QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (sub.isDir())
            add(joinPath(m_path, sub.fileName()), sub.fileName(), depth);
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
}

void FileListBox::setPath(const QString& path)
{
    m_path = path;
    clear();
    for (const QFileInfo& file : QDir(path).entryInfoList(QStringList{Pattern}, QDir::Files, QDir::Name))
        if (file.isFile())
            addItem(file.fileName());
}

QString FileListBox::FileName() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

} // namespace programs
