#pragma once

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <QObject>

namespace vornik {

// The screen capture component: the system-wide hot key ALT+F12 (X11 only;
// on other platforms it is never raised) captures the whole desktop or the
// foreground window with its frame, then OnCapture hands the picture over.
class TScreenCapture : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TScreenCapture(QObject* parent = nullptr);
    ~TScreenCapture() override;

    bool Active = true;   // capture on the hot key
    bool Desktop = true;  // the whole desktop rather than the foreground window
    // From the "screencapture" setting: 0 desktop, 1 foreground window, 2 none.
    void configure(int screencapture);

    // True when the hot key is registered for this run.
    bool hotKeyRegistered() const { return registered_; }
    // What the hot key does: takes the picture and raises OnCapture.
    void capture();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void OnCapture(const QImage& picture);

private:
    void registerHotKey();
    void unregisterHotKey();

    bool registered_ = false;
    unsigned keycode_ = 0;
};

}  // namespace vornik
