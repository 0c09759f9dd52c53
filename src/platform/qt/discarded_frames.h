#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace veldra {

// While it lives, the child window of a board closed for good is not closed on its own but
// put aside and deleted with the others when this goes. A close hides the frame and each of
// its controls, and the area looks over all of its windows for every frame hidden; a whole
// program's windows deleted together, without being hidden first, cost each only its own
// deletion. Scopes nest: a window goes to the innermost.
class DiscardedFrames {
public:
    DiscardedFrames();
    ~DiscardedFrames();
    DiscardedFrames(const DiscardedFrames&) = delete;
    DiscardedFrames& operator=(const DiscardedFrames&) = delete;

    // Deletes the frames put aside so far that are still there, the window active last
    // going last, so that the area makes no other window active as each goes.
    void DeleteAll();
    // The frames put aside so far that are still there, which are no longer this one's to
    // delete: for an owner that deletes them some other way.
    std::vector<QWidget*> Take();

    // Closes the frame of a window closed for good: put aside while a scope lives and the
    // window has a frame among the main window's children, else closed at once.
    static void Close(QWidget& content);

private:
    static DiscardedFrames*& Current();

    DiscardedFrames* outer_;
    std::vector<QPointer<QWidget>> frames_;
};

}  // namespace veldra
