#pragma once

#include <string>

namespace tarvex {

class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Shows a modal box with the text, the title, one OK button and no icon;
    // returns when the player has closed it. Timer ticks and datagrams may be
    // handled while it is open.
    virtual void show(const std::string& text, const std::string& title) = 0;
};

} // namespace tarvex
