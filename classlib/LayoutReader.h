#pragma once
#include "classlib/Component.h"
#include "classlib/LayoutFixups.h"
#include "classlib/LayoutLexer.h"

#include <string>
#include <string_view>
#include <vector>

class TCollection;

// Reads a form layout:
//
//   object FrmMain: TFrmMain
//     Caption = 'Il Velmarune'#13#10 +
//       'seconda riga'
//     Font.Name = 'Tahoma'
//     Anchors = [akLeft, akTop]
//     OnCreate = FormCreate
//     object DtSSel: TDataSource
//       DataSet = ADOQrySel            (or FrmMain.ADOQrySel, or another form's component)
//     end
//     object Bar: TTitleBar
//       Buttons = < item Kind = tavClose end >
//       Lines = ( 'one' 'two' )
//       Glyph = { 89504E47 }           (or Glyph = 'picture.png', a file beside the layout)
//     end
//   end
//
// Components are created through the class registry with the root as owner, told the component they are
// nested in (SetParentComponent), and given their properties in stream order through the setters; a
// collection is cleared before its items are read. References are set once the whole tree is read (those to
// a root not made yet when a layout makes it); then each component runs Loaded, the root first. Every
// problem of the layout's text, names or values raises EReadError naming the layout and line, and the
// class, property, value or handler; a component's own failure (in its constructor, when it is placed, in
// a setter or in Loaded) passes as the component raised it.
class TLayoutReader {
public:
    TLayoutReader(std::string_view text, std::string layoutName);

    // Creates the root by the class the layout names, owned by owner. On failure nothing is left behind.
    TComponent* ReadRoot(TComponent* owner);
    // Reads into an existing root, whose class must be the one the layout names.
    void ReadInto(TComponent& root);

private:
    struct THeader {
        int Line = 0;
        std::string Name;
        std::string ClassName;
    };
    THeader ReadHeader();
    void ReadComponent(TComponent& root, const THeader& header);
    void ReadBody(TComponent& component, int headerLine);
    void ReadChild(TComponent& parent);
    void ReadProperty(TObject& instance, TComponent& holder);
    void ReadValue(TObject& instance, const TPropInfo& prop, TComponent& holder, int line);
    void ReadFloat(TObject& instance, const TPropInfo& prop, int line);
    void ReadText(TObject& instance, const TPropInfo& prop, int line);
    void ReadSet(TObject& instance, const TPropInfo& prop, int line);
    void ReadOrdinal(TObject& instance, const TPropInfo& prop, int line);
    // Takes a leading minus sign; Shown gives the value as an error names it.
    bool ReadMinus();
    std::string Shown(bool negative) const;
    void ReadCollection(TObject& instance, const TPropInfo& prop, TComponent& holder, int line);
    void ReadStringList(TObject& instance, const TPropInfo& prop, int line);
    void ReadReference(TObject& instance, const TPropInfo& prop, TComponent& holder, int line);
    void ReadEvent(TObject& instance, const TPropInfo& prop, int line);
    std::string ReadString();
    std::string ReadDottedName();
    std::string ExpectIdent(std::string_view what);
    void ExpectSymbol(char symbol);
    void ResolveReferences();
    void RunLoaded();
    void ClearLoading();
    [[noreturn]] void Error(int line, const std::string& message) const { FLexer.Error(line, message); }
    [[noreturn]] void InvalidValue(int line, const TObject& instance, const TPropInfo& prop,
                                   const std::string& value) const;
    // Runs a setter; a refused name or value becomes an EReadError naming the place.
    template <class F>
    auto Guard(int line, const std::string& what, F&& action);

    TLayoutLexer FLexer;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FLoaded;
    std::vector<TReferenceFixup> FFixups;
};

TComponent* ReadLayout(std::string_view text, const std::string& layoutName, TComponent* owner);
void ReadLayoutInto(TComponent& root, std::string_view text, const std::string& layoutName);
// Reads the embedded layout of that name into root.
void ReadLayoutResource(TComponent& root, const std::string& layoutName);
