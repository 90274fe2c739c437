#include "classlib/Strings.h"

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <algorithm>

// ---- TStrings ----

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
    int index = Add(s);
    PutObject(index, obj);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
    EndUpdate();
}

void TStrings::InsertObject(int index, const std::string& s, TObject* obj) {
    Insert(index, s);
    PutObject(index, obj);
}

void TStrings::Move(int currentIndex, int newIndex) {
    if (currentIndex == newIndex) return;
    BeginUpdate();
    std::string s = Get(currentIndex);
    TObject* obj = GetObject(currentIndex);
    Delete(currentIndex);
    InsertObject(newIndex, s, obj);
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), s) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string line = Get(i);
        size_t eq = line.find('=');
        if (eq != std::string::npos && CompareStrings(std::string_view(line).substr(0, eq), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
    for (int i = 0; i < Count(); ++i) {
        if (GetObject(i) == obj) return i;
    }
    return -1;
}

std::string TStrings::Names(int index) const {
    std::string line = Get(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string line = Get(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStrings::Values(std::string_view name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
    int index = IndexOfName(name);
    std::string line = std::string(name) + "=" + value;
    if (value.empty()) {
        if (index >= 0) Delete(index);
    } else if (index < 0) {
        Add(line);
    } else {
        Put(index, line);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += sLineBreak;
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = text.size();
            Add(std::string(text.substr(start, end - start)));
            start = end;
            if (start < text.size() && text[start] == '\r') ++start;
            if (start < text.size() && text[start] == '\n') ++start;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) != other.Get(i)) return false;
    }
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TStrings*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(*other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(0, stream.Size() - stream.Position())));
    stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    SetText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    stream.WriteBuffer(text.data(), int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::Put(int index, const std::string& s) {
    TObject* obj = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, obj);
    EndUpdate();
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareText(a, b); }

void TStrings::IndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// ---- TStringList ----

int TStringList::AddObject(const std::string& s, TObject* obj) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
    InsertItem(index, s, obj);
    return index;
}

void TStringList::Insert(int index, const std::string& s) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count()) IndexError(index);
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* obj) {
    Changing();
    FList.insert(FList.begin() + index, TItem{s, obj});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

int TStringList::IndexOf(std::string_view s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
    // The first of equal lines, so that a duplicate is found wherever it was added.
    auto it = std::lower_bound(FList.begin(), FList.end(), s,
                               [this](const TItem& item, std::string_view v) { return CompareStrings(item.Text, v) < 0; });
    index = int(it - FList.begin());
    return it != FList.end() && CompareStrings(it->Text, s) == 0;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(FList.begin(), FList.end(),
                     [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[size_t(index1)], FList[size_t(index2)]);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    if (FSorted) Sort();
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[size_t(index)].Text;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    FList[size_t(index)].Text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FList[size_t(index)].Object;
}

void TStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    FList[size_t(index)].Object = obj;
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        Changing();
    } else {
        Changed();
    }
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return FCaseSensitive ? a.compare(b) : CompareText(a, b);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}
