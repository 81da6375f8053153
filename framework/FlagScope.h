#pragma once

// Sets a flag for the length of a scope and gives it back its value afterwards, also when an
// error passes.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = before_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool before_;
};
