// Events a control raises to the form that holds it. Handlers run
// synchronously, before the raising call returns.
#pragma once
#include <functional>
#include <utility>
#include <vector>

namespace host {

template <typename... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    // Adds a handler; handlers run in the order they were connected.
    void connect(Handler h) { handlers_.push_back(std::move(h)); }
    void clear() { handlers_.clear(); }
    bool connected() const { return !handlers_.empty(); }

    // Raises the event. Arguments passed by reference reach every handler,
    // so a handler can answer through them (as by-reference event arguments do).
    template <typename... A>
    void raise(A&&... args) const
    {
        // Copy: a handler may connect further handlers while we iterate.
        auto copy = handlers_;
        for (auto& h : copy)
            h(args...);
    }

private:
    std::vector<Handler> handlers_;
};

} // namespace host
