#pragma once

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace vornik {

// Runs a function whenever the widget it watches (installEventFilter) changes size.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QObject* parent, std::function<void()> onResize) : QObject(parent), onResize_(std::move(onResize)) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize) onResize_();
        return false;
    }

private:
    std::function<void()> onResize_;
};

}  // namespace vornik
