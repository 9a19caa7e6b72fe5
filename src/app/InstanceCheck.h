#pragma once
// Whether this user already runs the program, and how to bring that instance to the front.
class InstanceCheck {
public:
    virtual ~InstanceCheck() = default;
    virtual bool otherInstanceRunning() = 0;
    virtual void activateOtherInstance() = 0;
    // Makes this process the one that later starts find; called as soon as start-up goes on.
    virtual void claim() = 0;
};
