#include "AppFixture.h"

#include "app/UAbout.h"
#include "app/ULibro.h"
#include "app/UMain.h"
#include "classlib/ColorNames.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

// One object of a layout with the properties it stores at its own level, in their order.
struct TStoredObject {
    std::string Name;
    std::string ClassName;
    std::vector<std::pair<std::string, std::string>> Properties; // name, value as written
};

size_t IndentOf(const std::string& line) {
    return line.find_first_not_of(' ');
}

// Reads the objects of a layout file line by line; values spanning lines are kept by their first line.
std::vector<TStoredObject> StoredObjects(const std::string& fileName) {
    std::ifstream in(std::string(VMR_APP_LAYOUTS) + "/" + fileName);
    std::vector<TStoredObject> objects;
    std::vector<std::pair<size_t, size_t>> open; // object index, indent of its properties
    for (std::string line; std::getline(in, line);) {
        const size_t indent = IndentOf(line);
        if (indent == std::string::npos) continue;
        const std::string text = line.substr(indent);
        if (text.rfind("object ", 0) == 0) {
            const size_t colon = text.find(':');
            objects.push_back({text.substr(7, colon - 7), text.substr(colon + 2), {}});
            open.emplace_back(objects.size() - 1, indent + 2);
        } else if (text == "end" && !open.empty() && indent + 2 == open.back().second) {
            open.pop_back();
        } else if (!open.empty() && indent == open.back().second) {
            if (const size_t eq = text.find(" = "); eq != std::string::npos)
                objects[open.back().first].Properties.emplace_back(text.substr(0, eq), text.substr(eq + 3));
        }
    }
    return objects;
}

// Where the class publishes the property a stored line sets ("Font.Color" sets Font).
int PublishedIndex(const TClassInfo& info, const std::string& stored) {
    const std::string root = stored.substr(0, stored.find('.'));
    const auto& props = info.Properties();
    const auto it = std::find_if(props.begin(), props.end(),
                                 [&](const TPropInfo* p) { return CompareText(p->Name, root) == 0; });
    return it == props.end() ? -1 : int(it - props.begin());
}

class LayoutOrder : public AppTest {
  protected:
    struct TLayout {
        const char* File;
        TComponent* Root;
    };
    std::vector<TLayout> Layouts() const {
        return {{"TFRMMAIN.layout", FrmMain}, {"TFRMLIBRO.layout", frmLibro}, {"TFRMABOUT.layout", FrmAbout}};
    }
};

TEST_F(LayoutOrder, SkinnedControlsStoreTheirPropertiesInPublishedOrderAndKeepTheirColours) {
    Start();
    int skinned = 0, colours = 0;
    for (const TLayout& layout : Layouts()) {
        ASSERT_NE(layout.Root, nullptr) << layout.File;
        for (const TStoredObject& object : StoredObjects(layout.File)) {
            if (object.ClassName.rfind("Ttav", 0) != 0) continue;
            ++skinned;
            TComponent* component = layout.Root->FindComponent(object.Name);
            ASSERT_NE(component, nullptr) << layout.File << ": " << object.Name;
            const TClassInfo& info = component->ClassInfo();
            int last = -1;
            for (const auto& [name, value] : object.Properties) {
                const int index = PublishedIndex(info, name);
                ASSERT_GE(index, 0) << object.Name << "." << name;
                EXPECT_GE(index, last) << layout.File << ": " << object.Name << "." << name
                                       << " is stored after a property its class publishes later";
                last = std::max(last, index);
                // A stored colour is the control's colour once the window is up.
                const TPropInfo* prop = info.Properties()[size_t(index)];
                if (prop->Kind == TPropKind::Color && name.find('.') == std::string::npos) {
                    ++colours;
                    EXPECT_EQ(TColor(GetOrdProp(component, name)), StringToColor(value))
                        << layout.File << ": " << object.Name << "." << name;
                }
            }
        }
    }
    EXPECT_GT(skinned, 30);
    EXPECT_GT(colours, 30);
}

} // namespace
