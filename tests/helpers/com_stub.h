// COM objects of the test programs, written against the C form of their interfaces (CINTERFACE
// defined before any Windows header): each object is a table of functions in which every slot
// answers E_NOTIMPL except the few the guardian calls. On x64 one calling convention serves
// every signature, so one function can fill every unused slot.
#pragma once

#include <windows.h>

#include <cstring>

namespace tevanor::helpers::com {

inline HRESULT STDMETHODCALLTYPE NotImplemented() {
  return E_NOTIMPL;
}

template <typename Table>
Table StubTable() {
  Table table;
  auto* stub = &NotImplemented;
  static_assert(sizeof table % sizeof stub == 0);
  auto* bytes = reinterpret_cast<unsigned char*>(&table);
  for (std::size_t at = 0; at < sizeof table; at += sizeof stub)
    std::memcpy(bytes + at, &stub, sizeof stub);
  return table;
}

// One COM object: its interface (the table pointer) first, then its count and its data.
template <typename Interface, typename Data>
struct Object {
  Interface face;
  LONG references;
  Data data;
};

template <typename Data, typename Interface>
Object<Interface, Data>* Self(Interface* face) {
  return reinterpret_cast<Object<Interface, Data>*>(face);
}

template <typename Data, typename Interface>
ULONG STDMETHODCALLTYPE AddRef(Interface* face) {
  return static_cast<ULONG>(::InterlockedIncrement(&Self<Data>(face)->references));
}

template <typename Data, typename Interface>
ULONG STDMETHODCALLTYPE Release(Interface* face) {
  const LONG left = ::InterlockedDecrement(&Self<Data>(face)->references);
  if (left == 0) delete Self<Data>(face);
  return static_cast<ULONG>(left);
}

// Answers IUnknown, IDispatch and the interfaces in `ids`.
template <typename Data, typename Interface, const IID*... ids>
HRESULT STDMETHODCALLTYPE QueryInterface(Interface* face, REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      (IsEqualIID(iid, *ids) || ...)) {
    AddRef<Data>(face);
    *out = face;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// The table's IUnknown slots for objects of `Data` that also answer the interfaces in `ids`.
template <typename Data, typename Interface, const IID*... ids, typename Table>
void Unknown(Table& table) {
  table.QueryInterface = QueryInterface<Data, Interface, ids...>;
  table.AddRef = AddRef<Data, Interface>;
  table.Release = Release<Data, Interface>;
}

template <typename Interface, typename Data, typename Table>
Interface* New(const Table* table, Data data) {
  auto* object = new Object<Interface, Data>{{}, 1, std::move(data)};
  object->face.lpVtbl = const_cast<Table*>(table);
  return &object->face;
}

}  // namespace tevanor::helpers::com
