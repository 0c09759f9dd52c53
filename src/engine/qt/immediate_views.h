#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <string>

namespace veldra {

// The immediate window while the program runs: the last ten entries painted in black on
// white, read from the core each time the picture is painted.
class StatusPicture final : public QWidget {
public:
    StatusPicture(std::function<std::string()> paintedText, QWidget* parent);

    // An entry was written: the picture is painted again when the desktop next gets its
    // turn, once however many entries a scan writes meanwhile.
    void Refresh();

    // The lines painted: the newest of the entries that fit the picture's height, so that
    // a picture shorter than the entries it is given still shows the latest.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextArea() const;

    std::function<std::string()> paintedText_;
    bool paintPending_ = false;
};

// A read-only text whose double-clicked word opens the statement of the bit it names:
// the stopped immediate window and the running timers.
class WordPickingText final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit WordPickingText(QWidget* parent);

    // Shows the core's text, adding only what is new when the text grew at its end.
    void Follow(const std::string& text);

Q_SIGNALS:
    void wordPicked(const QString& word);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::string shown_;
};

}  // namespace veldra
