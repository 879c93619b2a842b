#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Something a definition file says that could not be used. A broken class is
// left out; the classes around it are read.
struct DefinitionProblem {
    std::string file;
    int line = 0; // counted from 1
    std::string message;
    friend bool operator==(const DefinitionProblem&, const DefinitionProblem&) = default;
};

// The problems of reading definition files: the first kMaxListed as they come,
// the rest only counted. A file of junk has a problem every other byte, and
// nobody reads past the first thousand of them anyway.
class CDefinitionProblems {
public:
    static constexpr size_t kMaxListed = 1000;

    void Add(DefinitionProblem problem);
    const std::vector<DefinitionProblem>& GetListed() const { return m_listed; }
    // All of them, the listed ones included.
    size_t GetCount() const { return m_count; }
    size_t GetUnlistedCount() const { return m_count - m_listed.size(); }

private:
    std::vector<DefinitionProblem> m_listed;
    size_t m_count = 0;
};
