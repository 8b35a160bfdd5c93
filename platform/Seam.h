#pragma once
// A process-wide replaceable service. Each stand-in for a machine or system service is one Seam:
// the live implementation answers unless a test (or a tool such as vext-cli --cpuid) has installed
// a replacement for its own scope with Seam::Scoped.
#include <functional>
#include <utility>

namespace platform {

template <typename Tag, typename Signature>
class Seam;

template <typename Tag, typename R, typename... Args>
class Seam<Tag, R(Args...)> {
public:
    using Fn = std::function<R(Args...)>;

    static R Call(Args... args)
    {
        const Fn& replacement = Slot();
        if (replacement) return replacement(args...);
        return Tag::Live(args...);
    }

    // Installs a replacement until the end of the enclosing scope; scopes nest.
    class Scoped {
    public:
        explicit Scoped(Fn replacement) : previous_(std::exchange(Slot(), std::move(replacement))) {}
        ~Scoped() { Slot() = std::move(previous_); }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;

    private:
        Fn previous_;
    };

private:
    static Fn& Slot()
    {
        static Fn slot;
        return slot;
    }
};

}  // namespace platform
