#include "classlib/data/Field.h"

#include "classlib/SysUtils.h"
#include "classlib/data/DataSet.h"
#include "platform/Exception.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

const std::string& BooleanText(bool value) {
    static const std::string texts[2] = {"False", "True"};
    return texts[value ? 1 : 0];
}

std::optional<bool> ParseBooleanText(std::string_view text) {
    if (SameText(text, "True")) return true;
    if (SameText(text, "False")) return false;
    return std::nullopt;
}

namespace {
std::string FloatText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

bool TryParseFloat(const std::string& text, double& value) {
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(trimmed.c_str(), &end);
    return errno == 0 && end == trimmed.c_str() + trimmed.size() && std::isfinite(value);
}
} // namespace

TField::TField(TDataSet& dataSet, int index, std::string fieldName, TFieldType dataType, int size)
    : FDataSet(dataSet), FIndex(index), FFieldName(std::move(fieldName)), FDataType(dataType), FSize(size) {}

TFieldValue TField::Value() const {
    return FDataSet.FieldValue(FIndex);
}

void TField::SetValue(const TFieldValue& value) {
    FDataSet.SetFieldValue(*this, value ? Normalize(*value) : std::nullopt);
}

bool TField::CanModify() const {
    return !FReadOnly && FDataSet.CanModify();
}

void TField::FocusControl() {
    FDataSet.DataEvent(deFocusControl, reinterpret_cast<intptr_t>(this));
}

std::string TField::AsString() const {
    return Value().value_or(std::string());
}

void TField::SetAsString(const std::string& value) {
    SetValue(value);
}

bool TField::AsBoolean() const {
    TFieldValue value = Value();
    if (!value) return false;
    if (std::optional<bool> b = ParseBooleanText(*value)) return *b;
    int64_t number = 0;
    if (FDataType != ftString && FDataType != ftMemo && TryStrToInt64(*value, number)) return number != 0;
    ConvertError(*value, "Boolean");
}

void TField::SetAsBoolean(bool value) {
    bool numeric = FDataType == ftInteger || FDataType == ftFloat;
    SetValue(numeric ? std::string(value ? "1" : "0") : BooleanText(value));
}

int64_t TField::AsInteger() const {
    TFieldValue value = Value();
    if (!value) return 0;
    if (FDataType == ftBoolean) return AsBoolean() ? 1 : 0;
    int64_t number = 0;
    if (TryStrToInt64(*value, number)) return number;
    double real = 0;
    if (TryParseFloat(*value, real) && std::abs(real) < 9.2e18) return int64_t(std::llround(real));
    ConvertError(*value, "integer");
}

void TField::SetAsInteger(int64_t value) {
    if (FDataType == ftBoolean) return SetAsBoolean(value != 0);
    SetValue(IntToStr(value));
}

double TField::AsFloat() const {
    TFieldValue value = Value();
    if (!value) return 0;
    if (FDataType == ftBoolean) return AsBoolean() ? 1 : 0;
    double real = 0;
    if (TryParseFloat(*value, real)) return real;
    ConvertError(*value, "floating point");
}

void TField::SetAsFloat(double value) {
    if (FDataType == ftBoolean) return SetAsBoolean(value != 0);
    if (FDataType == ftInteger) return SetAsInteger(int64_t(std::llround(value)));
    SetValue(FloatText(value));
}

TFieldValue TField::Normalize(const std::string& text) const {
    switch (FDataType) {
    case ftString:
    case ftMemo:
    case ftUnknown:
        return text;
    case ftBoolean: {
        if (Trim(text).empty()) return std::nullopt;
        std::optional<bool> b = ParseBooleanText(Trim(text));
        if (!b) ConvertError(text, "Boolean");
        return BooleanText(*b);
    }
    case ftInteger: {
        if (Trim(text).empty()) return std::nullopt;
        int64_t number = 0;
        if (!TryStrToInt64(text, number)) ConvertError(text, "integer");
        return IntToStr(number);
    }
    case ftFloat: {
        if (Trim(text).empty()) return std::nullopt;
        double real = 0;
        if (!TryParseFloat(text, real)) ConvertError(text, "floating point");
        return FloatText(real);
    }
    }
    return text;
}

void TField::ConvertError(std::string_view text, std::string_view kind) const {
    throw EDatabaseError("'" + std::string(text) + "' is not a valid " + std::string(kind) +
                         " value for field '" + FFieldName + "'");
}

TField* TFields::Fields(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Field index out of range (" + std::to_string(index) + ")");
    return FList[size_t(index)].get();
}

TField* TFields::FindField(std::string_view fieldName) const {
    for (const auto& field : FList) {
        if (SameText(field->FieldName(), fieldName)) return field.get();
    }
    return nullptr;
}

TField& TFields::Add(std::unique_ptr<TField> field) {
    return *FList.emplace_back(std::move(field));
}
