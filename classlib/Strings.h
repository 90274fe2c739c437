#pragma once
#include "classlib/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

class TStream;

enum class TDuplicates { dupIgnore, dupAccept, dupError };
using enum TDuplicates;

// A list of strings, each with an object that the list does not own. Lines of the form "name=value" are
// read by name through Names and Values. Subclasses store the lines (TStringList, a control's items).
class TStrings : public TPersistent {
    VMR_CLASS(TStrings, TPersistent)

public:
    virtual int Count() const = 0;
    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* obj) { PutObject(index, obj); }

    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* obj);
    void AddStrings(const TStrings& strings);
    virtual void Insert(int index, const std::string& s) = 0;
    void InsertObject(int index, const std::string& s, TObject* obj);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    void Move(int currentIndex, int newIndex);

    virtual int IndexOf(std::string_view s) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* obj) const;
    // The part before the first "=", or empty for a line without one.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(std::string_view name) const;
    // An empty value deletes the line of that name; another replaces its value or adds a line.
    void SetValue(std::string_view name, const std::string& value);

    // Each line followed by sLineBreak.
    std::string Text() const;
    // Splits at CR LF, LF or CR.
    virtual void SetText(std::string_view text);
    bool Equals(const TStrings& other) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* source) override;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

protected:
    TStrings() = default;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* obj);
    // Called with true by the first BeginUpdate and with false by the last EndUpdate.
    virtual void SetUpdateState(bool updating);
    // Case-insensitive unless a subclass says otherwise.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    [[noreturn]] static void IndexError(int index);

private:
    int FUpdateCount = 0;
};

// The string list: in memory, optionally sorted, with change events.
class TStringList : public TStrings {
    VMR_CLASS(TStringList, TStrings)

public:
    TStringList() = default;

    int Count() const override { return int(FList.size()); }
    // On a sorted list the line goes to its sorted place (or, as Duplicates says, is ignored or refused).
    int Add(const std::string& s) override { return AddObject(s, nullptr); }
    int AddObject(const std::string& s, TObject* obj) override;
    // Raises EListError on a sorted list.
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(std::string_view s) const override;
    // On a sorted list: the index of s, or where it would go.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    void Exchange(int index1, int index2);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        std::string Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& s, TObject* obj);

    std::vector<TItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};
