#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace ombrel::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Called through OMBREL_TEST_CLASS; returns true so it can initialise a static.
bool registerTestClass(TestFactory factory);

} // namespace ombrel::test

// Registers a Qt Test class with the folder's test executable.
#define OMBREL_TEST_CLASS(Class)                                                                                       \
    static const bool Class##Registered =                                                                              \
        ::ombrel::test::registerTestClass([] { return std::unique_ptr<QObject>(new Class); });
