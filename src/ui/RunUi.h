#pragma once

// What the run needs from its front end (real windows, or a scripted user). The aggregation pass
// reaches the user only through this.
class IRunUi {
public:
    virtual ~IRunUi() = default;
};
