#pragma once

#include <stdexcept>

namespace tarvex {

// Thrown by the field helpers. Callers that must tell a missing field from a
// count that no longer fits in 16 bits look at kind().
class FieldError : public std::runtime_error
{
public:
    enum class Kind { OutOfRange, Overflow };

    FieldError(Kind kind, const char* what)
        : std::runtime_error(what)
        , m_kind(kind)
    {
    }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace tarvex
