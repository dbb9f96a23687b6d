#include "test_registry.h"

#include <vector>

namespace ombrel::test {

std::vector<TestFactory>& registeredTestClasses()
{
    static std::vector<TestFactory> classes;
    return classes;
}

bool registerTestClass(TestFactory factory)
{
    registeredTestClasses().push_back(std::move(factory));
    return true;
}

} // namespace ombrel::test
