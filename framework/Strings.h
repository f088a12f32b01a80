#pragma once
// TStrings / TStringList: lists of texts with an optional object per line.
#include "Classes.h"

#include <string>
#include <vector>

namespace qx {

class TStrings : public TPersistent {
    QX_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& s) = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject* obj) = 0;
    virtual void Insert(int index, const std::wstring& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::wstring operator[](int index) const { return Get(index); }
    int Add(const std::wstring& s);
    int AddObject(const std::wstring& s, TObject* obj);
    int IndexOf(const std::wstring& s) const;  // case-insensitive, like the platform's
    int IndexOfName(const std::wstring& name) const;
    std::wstring Names(int index) const;
    std::wstring ValueFromIndex(int index) const;
    std::wstring Values(const std::wstring& name) const;

    // Lines joined with CR LF after each line.
    std::wstring Text() const;
    // Cuts at CR LF, lone CR or lone LF; a final line end adds no empty line.
    void SetText(const std::wstring& text);
    void AddStrings(const TStrings& other);

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TStringList : public TStrings {
    QX_CLASS(TStringList)
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    std::wstring Get(int index) const override { return FItems.at(index).Text; }
    void Put(int index, const std::wstring& s) override;
    TObject* GetObject(int index) const override { return FItems.at(index).Object; }
    void PutObject(int index, TObject* obj) override { FItems.at(index).Object = obj; }
    void Insert(int index, const std::wstring& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    struct Item {
        std::wstring Text;
        TObject* Object = nullptr;
    };
    std::vector<Item> FItems;
};

}  // namespace qx
