// The data components of the main window's layout, read as the layout reader reads them.
#include "DataTestSupport.h"
#include "TestClasses.h"

#include "classlib/LayoutReader.h"
#include "classlib/data/DataSource.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {

// The connection string as a layout writes it: '' inside quotes, split over lines with +.
std::string LayoutString(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

std::string MainLayout() {
    return "object FrmMainD: TTestForm\n"
           "  object ADOConnection: TADOConnection\n"
           "    ConnectionString = " +
           LayoutString(ApplicationConnectionString) +
           "\n"
           "    Connected = True\n"
           "    LoginPrompt = False\n"
           "    Mode = cmShareDenyNone\n"
           "    Provider = 'Microsoft.Jet.OLEDB.4.0'\n"
           "  end\n"
           "  object ADOQryInc: TADOQuery\n"
           "    Connection = ADOConnection\n"
           "    CursorType = ctStatic\n"
           "    SQL.Strings = (\n"
           "      'SELECT * FROM INCANTESIMI')\n"
           "  end\n"
           "  object DtSInc: TDataSource\n"
           "    DataSet = ADOQryInc\n"
           "  end\n"
           "end\n";
}

using DataLayout = DataFixture;

TEST_F(DataLayout, TheConnectionOpensWhileTheLayoutIsRead) {
    RegisterTestClasses();
    std::unique_ptr<TComponent> form(ReadLayout(MainLayout(), "TFRMMAIND", nullptr));
    auto* connection = static_cast<TADOConnection*>(form->FindComponent("ADOConnection"));
    auto* query = static_cast<TADOQuery*>(form->FindComponent("ADOQryInc"));
    auto* source = static_cast<TDataSource*>(form->FindComponent("DtSInc"));
    ASSERT_TRUE(connection && query && source);
    EXPECT_TRUE(connection->Connected());
    EXPECT_EQ(connection->ConnectionString(), ApplicationConnectionString);
    EXPECT_FALSE(connection->LoginPrompt());
    EXPECT_EQ(connection->Mode(), cmShareDenyNone);
    EXPECT_EQ(query->Connection(), connection);
    EXPECT_EQ(query->CursorType(), ctStatic);
    EXPECT_EQ(query->SQL()->Text(), "SELECT * FROM INCANTESIMI\r\n");
    EXPECT_FALSE(query->Active());
    EXPECT_EQ(source->DataSet(), query);
    query->Open();
    EXPECT_GT(query->RecordCount(), 150);

    // Without the file the layout fails to load, naming the path.
    form.reset();
    std::filesystem::remove(DatabaseFile());
    try {
        ReadLayout(MainLayout(), "TFRMMAIND", nullptr);
        FAIL() << "the layout loaded without its database";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(DatabaseFile().filename().string()), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(std::filesystem::exists(DatabaseFile()));
}

} // namespace
