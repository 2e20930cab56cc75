#pragma once
#include "app/Tambrel_Application.h"

#include <concepts>
#include <exception>
#include <utility>

// handler as a Qt slot that lets no exception into Qt's signal and slot machinery (where it would be
// undefined behaviour): whatever the handler throws ends it and goes to AppException, the program's one
// error path. The slot takes the arguments the handler takes (Qt passes it the leading arguments of
// the signal that fit).
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler =
                std::move(handler)]<typename... Args>(Args && ... arguments) requires std::invocable<Handler&, Args...>
    {
        try {
            handler(std::forward<Args>(arguments)...);
        } catch (...) {
            AppException(std::current_exception());
        }
    };
}
