#pragma once

// A process-wide slot for one platform service. The editor installs the real
// implementation at start-up; tests swap in a double for the length of a test
// with CServiceGuard, which restores the previous one when it goes out of scope.
template <class Service> class CServiceSlot {
public:
    static Service& Get() { return *Current(); }
    static Service* Exchange(Service* next) {
        Service* previous = Current();
        Current() = next;
        return previous;
    }

private:
    static Service*& Current();
};

template <class Service> class CServiceGuard {
public:
    explicit CServiceGuard(Service& replacement)
        : m_previous(CServiceSlot<Service>::Exchange(&replacement)) {}
    ~CServiceGuard() { CServiceSlot<Service>::Exchange(m_previous); }
    CServiceGuard(const CServiceGuard&) = delete;
    CServiceGuard& operator=(const CServiceGuard&) = delete;

private:
    Service* m_previous;
};
