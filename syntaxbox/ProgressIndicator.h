#pragma once
// An external progress indicator the colorizer reports to. There are two
// kinds, told apart by the members they offer: a range indicator (Min, Max
// and Value) and a percent indicator (one Percent member).
//
// Any member may refuse a value by throwing; the colorizer lets a refusal at
// the start go to its caller and skips one during the scan.
#include <cstdint>

class ProgressIndicator {
public:
    enum class Kind : uint8_t { None = 0, Range = 1, Percent = 2 };
    virtual ~ProgressIndicator() = default;
    virtual Kind kind() const = 0;
    // Range kind: Min := 0, Max := 100, Value := 0. Percent kind: Percent := 0.
    virtual void start() = 0;
    // Value (range kind) or Percent (percent kind) := percent.
    virtual void show(uint8_t percent) = 0;
};
