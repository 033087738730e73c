// platform_commit_child <event name> <characters>: commits an update of document 1 in
// "txt.kl" of its working directory, signals the event and waits to be killed.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/Database.h"

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    platform::TADOConnection connection(nullptr);
    connection.SetConnectionString(L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=txt.kl");
    platform::TADOQuery query(nullptr);
    query.SetConnection(&connection);
    try {
        query.SQL().Add(L"update jilu set 内容=:text where 序号='1'");
        query.Parameters().ParamByName(L"text").SetValue(
            L"已提交" + std::wstring(static_cast<size_t>(std::atoi(argv[2])), L'字'));
        query.ExecSQL();
    } catch (const ui::Exception&) {
        return 1;
    }
    HANDLE committed = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (!committed || !SetEvent(committed)) return 3;
    Sleep(INFINITE);
}
