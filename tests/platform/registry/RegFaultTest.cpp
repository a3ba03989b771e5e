#include "platform/registry/WinReg.h"

#include "machine/registry/Registry.h"
#include "machine/registry/RegistryFaults.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <functional>

namespace reg = machine::registry;

namespace
{

constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessaryn\\Faulty";
constexpr const char* kSub = "SOFTWARE\\Tessaryn\\Faulty";

// Each operation as the programs call it, on the key above.
LONG callOperation(reg::Operation operation)
{
    HKEY key = 0;
    BYTE data[8] = {'1'};
    DWORD size = sizeof data;
    char name[32];
    DWORD cch = sizeof name;
    LONG rc = ERROR_SUCCESS;
    if (operation == reg::Operation::Open)
        rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, KEY_READ, &key);
    else if (operation == reg::Operation::Create)
        rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr);
    else
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return -1;
        switch (operation)
        {
        case reg::Operation::Query:
            rc = RegQueryValueExA(key, "v", nullptr, nullptr, data, &size);
            break;
        case reg::Operation::Set:
            rc = RegSetValueExA(key, "v", 0, REG_SZ, data, 1);
            break;
        case reg::Operation::Delete:
            rc = RegDeleteValueA(key, "gone");
            break;
        case reg::Operation::Enumerate:
            rc = RegEnumValueA(key, 0, name, &cch, nullptr, nullptr, data, &size);
            break;
        default:
            break;
        }
    }
    if (key)
        RegCloseKey(key);
    return rc;
}

TEST(RegFault, InjectedFailuresHitTheirOperationAndKeyOnlyAsOftenAsAsked)
{
    const reg::Operation operations[] = {reg::Operation::Open,   reg::Operation::Create,
                                         reg::Operation::Query,  reg::Operation::Set,
                                         reg::Operation::Delete, reg::Operation::Enumerate};
    for (reg::Operation operation : operations)
    {
        testing_support::TempMachine m;
        ASSERT_TRUE(reg::SetValue(m.machine(), kKey, "v", REG_SZ, "1"));
        ASSERT_TRUE(reg::SetValue(m.machine(), kKey, "gone", REG_SZ, "1"));
        auto path = *reg::ParseKeyPath(kKey);
        const char* op = reg::OperationName(operation);

        ASSERT_TRUE(reg::InjectFault(m.machine(), operation, path, ERROR_ACCESS_DENIED, 1));
        EXPECT_EQ(callOperation(operation), ERROR_ACCESS_DENIED) << op;
        EXPECT_EQ(callOperation(operation), ERROR_SUCCESS) << op;

        ASSERT_TRUE(reg::SetValue(m.machine(), kKey, "gone", REG_SZ, "1"));
        ASSERT_TRUE(reg::InjectFault(m.machine(), operation, path, ERROR_MORE_DATA, 2));
        EXPECT_EQ(callOperation(operation), ERROR_MORE_DATA) << op;
        EXPECT_EQ(callOperation(operation), ERROR_MORE_DATA) << op;
        EXPECT_EQ(callOperation(operation), ERROR_SUCCESS) << op;

        ASSERT_TRUE(reg::SetValue(m.machine(), kKey, "gone", REG_SZ, "1"));
        ASSERT_TRUE(reg::InjectFault(m.machine(), operation, path, ERROR_CANTWRITE, reg::kAlways));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(callOperation(operation), ERROR_CANTWRITE) << op;
        ASSERT_TRUE(reg::ClearFaults(m.machine()));
        EXPECT_EQ(callOperation(operation), ERROR_SUCCESS) << op;
    }
}

TEST(RegFault, AFailedSetChangesNothing)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(reg::SetValue(m.machine(), kKey, "v", REG_SZ, "old"));
    ASSERT_TRUE(reg::InjectFault(m.machine(), reg::Operation::Set, *reg::ParseKeyPath(kKey),
                                 ERROR_ACCESS_DENIED, 1));
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSub, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("new"), 3),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(reg::GetValue(m.machine(), kKey, "v")->data, "old");
}

} // namespace
