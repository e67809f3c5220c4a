#pragma once

// A reference to an object that lives as long as the program. It can only be
// made at compile time, and a constant expression can point only at an object
// of static storage duration: a local or a temporary does not compile. Views
// kept into the object (names, captions) therefore never dangle.
template <class T>
class Lifelong {
public:
    consteval Lifelong(const T& object) // NOLINT(google-explicit-constructor): stands for the reference
        : object_(&object)
    {
    }

    const T& operator*() const { return *object_; }
    const T* operator->() const { return object_; }

private:
    const T* object_;
};
