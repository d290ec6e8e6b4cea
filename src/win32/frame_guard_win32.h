// The boundary between the program's C++ and the Win32 frames that call it back (window
// procedures, hooks, timer and enumeration callbacks): no exception may unwind through a
// system frame. GuardFrame runs the callback's body, stops any exception there, logs it with
// the place, and returns the fallback the caller names as its known state.
#pragma once

#include <type_traits>
#include <utility>

namespace quorrin {

// For a catch block: logs the exception being handled, with its what() when it has one.
void LogCaughtException(const wchar_t* place) noexcept;

template <typename Body, typename Result>
Result GuardFrame(const wchar_t* place, Body&& body, Result fallback) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        LogCaughtException(place);
        return fallback;
    }
}

// Where the known state takes work (a window's default handling): after the body's exception
// is logged, `recover` gives the result; should it throw too, `lastResort` does.
template <typename Body, typename Recover, typename Result>
Result GuardFrameOr(const wchar_t* place, Body&& body, Recover&& recover,
                    Result lastResort) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        LogCaughtException(place);
    }
    return GuardFrame(place, std::forward<Recover>(recover), lastResort);
}

// For a body that returns nothing: the known state is what it left.
template <typename Body>
void GuardFrame(const wchar_t* place, Body&& body) noexcept {
    static_assert(std::is_void_v<decltype(body())>, "give a fallback for a body with a result");
    try {
        std::forward<Body>(body)();
    } catch (...) {
        LogCaughtException(place);
    }
}

}  // namespace quorrin
