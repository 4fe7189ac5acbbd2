#pragma once
// A window as the system knows it: it exists once for the whole run; the
// first reference loads it (Form_Load runs), closing unloads it (Form_Unload
// runs, and may refuse), and its members keep their values for the next load.

#include <QList>
#include <QWidget>

namespace common {

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // Non-modal show; loads the window first when it is not loaded. Neither
    // show opens a window while the program ends.
    void Show();
    // Modal show: returns when the window has unloaded or hidden, or when
    // the program ends.
    void ShowModal();
    // Loads the window without showing it.
    void Load();
    // Runs the unload handler; true when the window is unloaded afterwards.
    bool Unload();

    bool isLoaded() const { return m_loaded; }

    // The loaded windows, in the order they were loaded.
    static QList<Form*> loadedForms();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(bool& cancel) { (void)cancel; }

    void centreOnScreen();
    void closeEvent(QCloseEvent* e) override;

private:
    bool m_loaded = false;
    bool m_modal = false;
};

// The main window stays disabled while any window that disabled it is open.
void setMainWindow(QWidget* main);
void disableMainWindowFor(QWidget* holder);
void enableMainWindowFor(QWidget* holder);
bool mainWindowHeldDisabled();

} // namespace common
