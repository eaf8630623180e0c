#pragma once
// The application-wide busy pointer. Sablier() and CurseurNormal() pair up; a job that
// may end early holds a BusyPointer so that the pointer always comes back.

void Sablier();
void CurseurNormal();

class BusyPointer {
public:
    BusyPointer() { Sablier(); }
    ~BusyPointer() { CurseurNormal(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
