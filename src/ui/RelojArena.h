#pragma once

namespace dalvo::ui {

// The mouse pointer as the system handles it: either the hourglass or the default arrow (a state, not a
// stack).
void ponerRelojArena();
void restaurarPuntero();
bool relojArenaPuesto();

// Shows the hourglass for its lifetime. When the hourglass was already up, it leaves it up on destruction,
// so an outer guard or an explicit ponerRelojArena() keeps it.
class RelojArena
{
public:
    RelojArena();
    ~RelojArena();
    RelojArena(const RelojArena&) = delete;
    RelojArena& operator=(const RelojArena&) = delete;

private:
    bool mYaPuesto;
};

} // namespace dalvo::ui
