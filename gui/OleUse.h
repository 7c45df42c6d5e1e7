#pragma once
// One use of OLE by the calling thread, begun when made and ended when destroyed, but only if it began:
// a thread already in the multi-threaded apartment refuses OLE, and ending a use that never began would
// end the thread owner's own use of COM.

class OleUse {
public:
    OleUse();
    ~OleUse();
    OleUse(const OleUse&) = delete;
    OleUse& operator=(const OleUse&) = delete;

    // False in a thread that refused OLE: nothing that needs it (a drop target) may be registered.
    bool begun() const { return initialised; }

private:
    bool initialised;
};
