#pragma once
#include <functional>

// A panel or window built the first time it is used rather than at start-up,
// so the main window paints without waiting for what it does not yet show.
// It reads as the pointer it holds.
template <class T>
class Lazy {
public:
    Lazy() = default;
    explicit Lazy(std::function<T *()> builder) : make(std::move(builder)) {}

    T *get() const
    {
        if (!made && make)
            made = make();
        return made;
    }
    T *operator->() const { return get(); }
    T &operator*() const { return *get(); }
    operator T *() const { return get(); }
    // Whether it was built: a command that only closes it has nothing to do before.
    bool IsMade() const { return made != nullptr; }

private:
    std::function<T *()> make;
    mutable T *made = nullptr;
};
