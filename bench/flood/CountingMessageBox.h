#pragma once

#include "platform/MessageBox.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace tarvex::bench {

// Shows the real box, counts how many are open at once, and closes each one
// after a short while from inside its own nested event loop, as a player
// pressing OK would, so datagrams keep arriving while it is open.
class CountingMessageBox final : public MessageBox
{
public:
    CountingMessageBox(MessageBox& inner, int closeAfterMs)
        : m_inner(inner)
        , m_closeAfterMs(closeAfterMs)
    {
    }

    void show(const std::string& text, const std::string& title) override
    {
        ++m_open;
        ++m_shown;
        m_maxOpen = std::max(m_maxOpen, m_open);
        QTimer::singleShot(m_closeAfterMs, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->close();
            }
        });
        m_inner.show(text, title);
        --m_open;
    }

    int open() const { return m_open; }
    int maxOpen() const { return m_maxOpen; }
    long shown() const { return m_shown; }

private:
    MessageBox& m_inner;
    int m_closeAfterMs;
    int m_open = 0;
    int m_maxOpen = 0;
    long m_shown = 0;
};

} // namespace tarvex::bench
