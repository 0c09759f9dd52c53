#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/board_panel.h"

namespace veldra {

// Every open window of the application, in the order the windows were created: the
// walks over "every loaded window" and "from the last to the first" go through it. Each
// entry answers the whole board-panel protocol, so a walk never meets a window that
// cannot take a call. The registry must outlive every window registered in it.
class WindowRegistry {
public:
    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // A window's place in the registry, for as long as the registration lives.
    class Registration {
    public:
        Registration(WindowRegistry& registry, BoardPanel& panel);
        ~Registration();
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;

    private:
        WindowRegistry& registry_;
        std::uint64_t id_;
    };

    int Count() const { return int(entries_.size()); }
    // The open windows now, oldest first.
    std::vector<BoardPanel*> Windows() const;

    // Visits every window open when the walk starts, oldest first or newest first. A
    // window that closes during the walk (a call may show a box, or yield) is passed over.
    void ForEach(const std::function<void(BoardPanel&)>& visit) const;
    void ForEachFromLast(const std::function<void(BoardPanel&)>& visit) const;

private:
    struct Entry {
        std::uint64_t id;
        BoardPanel* panel;
    };

    std::uint64_t Add(BoardPanel& panel);
    void Remove(std::uint64_t id);
    BoardPanel* Find(std::uint64_t id) const;
    template <class Ids>
    void Visit(const Ids& ids, const std::function<void(BoardPanel&)>& visit) const;

    std::vector<Entry> entries_;
    std::uint64_t lastId_ = 0;
};

// A window that shows no bits: it answers the board-panel protocol with its class name
// and its caption, and does nothing for every other member.
class WidgetPanel final : public BoardPanel {
public:
    // Whether a close for good closes the window (a child window of the program) or
    // leaves it (the main window, the loading-progress window).
    enum class OnClose { Stay, Close };

    WidgetPanel(QWidget& window, std::string className, OnClose onClose = OnClose::Stay)
        : window_(&window), className_(std::move(className)), onClose_(onClose) {}

    std::string Name() const override { return className_; }
    std::string Caption() const override;
    void CloseWindow(bool close) override;
    bool Closed() const override { return closed_; }

private:
    QPointer<QWidget> window_;
    std::string className_;
    OnClose onClose_;
    bool closed_ = false;
};

// What a window that shows no bits keeps to stand in the registry while it lives.
class RegisteredWidget {
public:
    RegisteredWidget(WindowRegistry& registry, QWidget& window, std::string className)
        : panel_(window, std::move(className)), registration_(registry, panel_) {}

    // The window as the registry holds it, to tell it apart from the others.
    const BoardPanel& Panel() const { return panel_; }

private:
    WidgetPanel panel_;
    WindowRegistry::Registration registration_;
};

// A child window that shows no bits, in the registry for as long as it lives, so that
// opening another program or closing the simulator closes it with the rest.
class RegisteredChild final : public QObject {
public:
    RegisteredChild(WindowRegistry& registry, QWidget& window, std::string className)
        : QObject(&window),
          panel_(window, std::move(className), WidgetPanel::OnClose::Close),
          registration_(registry, panel_) {}

private:
    WidgetPanel panel_;
    WindowRegistry::Registration registration_;
};

}  // namespace veldra
