#pragma once
#include "classlib/Persistent.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDataSet;

// The kinds of value a field holds, numbered as the original's.
enum class TFieldType { ftUnknown = 0, ftString = 1, ftInteger = 3, ftBoolean = 5, ftFloat = 6, ftMemo = 16 };
using enum TFieldType;

// A field value as the record buffers keep it: its text, or nothing for NULL. Booleans are "True"/"False",
// numbers their decimal text.
using TFieldValue = std::optional<std::string>;

// One column of a dataset's current record. Reading gives the value of the record the dataset shows;
// setting needs the dataset in edit or insert state.
class TField : public TPersistent {
    VMR_CLASS(TField, TPersistent)

  public:
    TField(TDataSet& dataSet, int index, std::string fieldName, TFieldType dataType, int size);

    TDataSet* DataSet() const { return &FDataSet; }
    const std::string& FieldName() const { return FFieldName; }
    TFieldType DataType() const { return FDataType; }
    // Characters of a text field; 0 for other kinds.
    int Size() const { return FSize; }
    // 0-based position in the dataset's field list.
    int Index() const { return FIndex; }
    // 1-based, as the original's.
    int FieldNo() const { return FIndex + 1; }

    TFieldValue Value() const;
    void SetValue(const TFieldValue& value);
    bool IsNull() const { return !Value().has_value(); }
    void Clear() { SetValue(std::nullopt); }

    // NULL reads as the empty text, false, 0.
    std::string AsString() const;
    void SetAsString(const std::string& value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    int64_t AsInteger() const;
    void SetAsInteger(int64_t value);
    double AsFloat() const;
    void SetAsFloat(double value);
    std::string Text() const { return AsString(); }
    void SetText(const std::string& value) { SetAsString(value); }
    std::string DisplayText() const { return AsString(); }

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool CanModify() const;
    // Asks the controls linked to this field to take the focus.
    void FocusControl();

  private:
    // The stored text of a value given as text: checked against the field's kind; the empty text is NULL
    // for every kind but text.
    TFieldValue Normalize(const std::string& text) const;
    [[noreturn]] void ConvertError(std::string_view text, std::string_view kind) const;

    TDataSet& FDataSet;
    int FIndex;
    std::string FFieldName;
    TFieldType FDataType;
    int FSize;
    bool FReadOnly = false;
};

// The fields of a dataset, in column order; owns them.
class TFields {
  public:
    int Count() const { return int(FList.size()); }
    TField* Fields(int index) const;
    TField* operator[](int index) const { return Fields(index); }
    // Case-insensitive; nullptr when there is none.
    TField* FindField(std::string_view fieldName) const;
    TField& Add(std::unique_ptr<TField> field);
    void Clear() { FList.clear(); }

    auto begin() const { return FList.begin(); }
    auto end() const { return FList.end(); }

  private:
    std::vector<std::unique_ptr<TField>> FList;
};

// "True" or "False", the texts of Boolean values.
const std::string& BooleanText(bool value);
// true for "True", false for "False", in any letter case; nullopt for any other text.
std::optional<bool> ParseBooleanText(std::string_view text);
