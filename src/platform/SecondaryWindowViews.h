#pragma once

#include <string>

namespace tarvex {

// The code Form_KeyPress reports for Enter (and Return).
inline constexpr int kEnterKey = 13;

// The four small secondary windows. Each view belongs to the window system:
// it stays valid until it raises Form_Unload, and the launcher must not touch
// it afterwards. close() raises Form_Unload before it returns.

class AddServerEvents
{
public:
    virtual ~AddServerEvents() = default;
    virtual void Command1_Click() = 0; // "Ok"
    virtual void Command2_Click() = 0; // "Cancel"
    // A character typed while the dialog is active (key preview); Enter is kEnterKey.
    virtual void Form_KeyPress(int code) = 0;
    virtual void Form_Unload() = 0;
};

class AddServerView
{
public:
    virtual ~AddServerView() = default;
    virtual std::string text1() const = 0; // host
    virtual void setText1(const std::string& text) = 0;
    virtual std::string text2() const = 0; // port
    virtual void setText2(const std::string& text) = 0;
    virtual void show() = 0;
    virtual void close() = 0;
};

class EditPathsEvents
{
public:
    virtual ~EditPathsEvents() = default;
    virtual void Command1_Click() = 0; // "Browse..." for the regular client
    virtual void Command2_Click() = 0; // "Browse..." for the GL client
    virtual void Command3_Click() = 0; // "Done"
    virtual void Command4_Click() = 0; // "Cancel"
    virtual void Form_Unload() = 0;
};

// The four boxes of Edit Paths: Text1 to Text4.
enum class PathsBox { RegularPath, GlPath, RegularParameters, GlParameters };

// A path box holds a file name, which travels as the system's path bytes so
// that a name the 8-bit character set cannot spell still finds its file; a
// parameters box holds one byte per character, like every other text.
inline constexpr bool holdsPath(PathsBox box)
{
    return box == PathsBox::RegularPath || box == PathsBox::GlPath;
}

class EditPathsView
{
public:
    virtual ~EditPathsView() = default;
    virtual std::string text(PathsBox box) const = 0;
    virtual void setText(PathsBox box, const std::string& text) = 0;
    virtual void show() = 0;
    virtual void close() = 0;
};

class HelpEvents
{
public:
    virtual ~HelpEvents() = default;
    // Every character typed while the help window is active, Enter as kEnterKey.
    virtual void Form_KeyPress(int code) = 0;
    virtual void Label5_Click() = 0; // the website link
    virtual void Form_Unload() = 0;
};

class HelpView
{
public:
    virtual ~HelpView() = default;
    // The version line, the website as the link shows it (without scheme)
    // and the IRC host.
    virtual void setTexts(const std::string& version, const std::string& website, const std::string& ircHost) = 0;
    virtual void show() = 0;
    virtual void close() = 0;
};

class SecretEvents
{
public:
    virtual ~SecretEvents() = default;
    virtual void Form_Unload() = 0;
};

class SecretView
{
public:
    virtual ~SecretView() = default;
    virtual void show() = 0;
    virtual void close() = 0;
};

} // namespace tarvex
