// A callable handed down by reference for the length of a call, without the copy and the
// allocation of std::function (the device draws every frame without allocating).
#pragma once

#include <type_traits>
#include <utility>

namespace rm {

template <class... Args> class CallRef {
public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, CallRef>)
        CallRef(F&& f) // NOLINT: converts like std::function does
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* object, Args... args) {
              (*static_cast<std::remove_reference_t<F>*>(object))(std::forward<Args>(args)...);
          }) {}
    void operator()(Args... args) const { call_(object_, std::forward<Args>(args)...); }

private:
    void* object_;
    void (*call_)(void*, Args...);
};

} // namespace rm
