#include "entity/CDefinitionProblems.h"

void CDefinitionProblems::Add(DefinitionProblem problem) {
    if (m_listed.size() < kMaxListed)
        m_listed.push_back(std::move(problem));
    ++m_count;
}
