#pragma once

class QCursor;

namespace DORuverud {

// At most one application override cursor, so that one release always
// undoes what any number of holds did; the destructor releases it too.
class HeldCursor
{
public:
    HeldCursor() = default;
    HeldCursor(const HeldCursor&) = delete;
    HeldCursor& operator=(const HeldCursor&) = delete;
    ~HeldCursor();

    // Sets the override cursor, or changes it while one is held.
    void hold(const QCursor& cursor);
    void release();

private:
    bool m_held = false;
};

} // namespace DORuverud
