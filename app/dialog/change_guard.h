// Suppresses change handling while a page writes its values into its controls.
// Handlers ask Active(); nesting is allowed.
#pragma once

namespace kestrova::dialog {

class ChangeGuard {
public:
    class Scope {
    public:
        explicit Scope(ChangeGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ChangeGuard& guard_;
    };

    bool Active() const { return depth_ > 0; }

private:
    int depth_ = 0;
};

}  // namespace kestrova::dialog
