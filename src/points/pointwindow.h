#pragma once
// What the location and shift windows share: a transmit side and a receive
// side, each with a file box, two point-number boxes, a column of buttons and
// a progress bar, and the rules of their buttons and boxes. The windows
// differ only in the data of PointWindowDesc and in the location window's
// value boxes.

#include "pointexchange.h"
#include "pointtables.h"

#include "common/filedialog.h"
#include "common/form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace points {

// The file dialog control of a window: it keeps its title and last file name
// while the window is loaded and returns to its design settings on each load.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    CommonDialog(const QString& name, const QString& filter, QObject* parent);

    QString DialogTitle;
    QString Filter;
    QString FileName;

    void reset();
    // The chosen name; nullopt when the operator cancelled (error 32755).
    std::optional<QString> show(common::FileDialogRequest::Mode mode);

private:
    QString m_designFilter;
};

// What a button of a side does; each window lists its buttons in its order.
enum class PointAction { Single, Block, All, FileOpen, FileSave };

struct SideButton {
    const char* caption;
    PointAction action;
};

struct SideControls {
    const char* frame;
    const char* frameCaption;
    const char* fileBox;
    int fileLabel;
    const char* numberBox;
    std::array<int, 2> numberLabels;
    std::array<const char*, 2> numberCaptions;
    const char* buttons;
    std::span<const SideButton> sideButtons;
    const char* bar;
};

struct PointWindowDesc {
    const char* name;
    const char* caption;
    Table table;
    int numberLength;       // characters a point-number box takes
    const char* rangeText;  // a point number outside the table
    bool rangeTextOnChange; // also refused while typing (else only at a button)
    const char* recvOpenTitle;
    const char* transOpenTitle; // nullptr: the dialog keeps the title of its last use
    const char* dialog;
    const char* filter;
    SideControls trans;
    SideControls recv;
};

// A progress bar as a transfer drives it.
class BarProgress : public Progress {
public:
    explicit BarProgress(QProgressBar* bar) : m_bar(bar) {}
    void setMaximum(int max) override { m_bar->setMaximum(max); }
    void setValue(int value) override { m_bar->setValue(value); }

private:
    QProgressBar* m_bar;
};

class PointWindow : public common::Form {
    Q_OBJECT
public:
    // A transfer of this window is going on (the window will not close).
    bool running() const;

protected:
    struct Side {
        QGroupBox* frame = nullptr;
        QGridLayout* grid = nullptr; // row 2 is free for value boxes
        QLineEdit* file = nullptr;
        std::array<QLineEdit*, 2> number{};
        std::vector<QPushButton*> buttons;
        std::vector<PointAction> actions;
        QProgressBar* bar = nullptr;
    };

    explicit PointWindow(const PointWindowDesc& desc);

    // Builds both sides, fills `labels` (the window's Label1 array).
    void buildSides(std::span<QLabel*> labels);

    void receiveClick(int index);
    void transClick(int index);
    void receiveNumberChanged(int index);
    void transNumberChanged(int index);

    // The point a number box names, when it is one of the table's.
    std::optional<int> boxPoint(const QLineEdit* box) const;

    // Hooks of the location window.
    virtual void previewPoint(bool transSide, int point) { (void)transSide, (void)point; }
    virtual void showReceivedPoint() {}
    virtual void afterTransLoad() {}
    // Puts every control back to its design contents, without change handlers.
    virtual void resetControls();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    // Remembered between openings.
    QString m_TransFileName;
    QString m_RecvFileName;

    const PointWindowDesc& m_desc;
    Side m_trans;
    Side m_recv;
    CommonDialog* m_dialog = nullptr;

private:
    Side buildSide(const SideControls& controls, std::span<QLabel*> labels);
    void click(Side& side, bool transSide, int index);
    void runAction(Side& side, bool transSide, PointAction action);
    void numberChanged(Side& side, int index);
    // The range start and end, or nullopt after telling the operator why not.
    std::optional<std::pair<int, int>> blockRange(const Side& side) const;
    void tellRange() const;
};

} // namespace points
