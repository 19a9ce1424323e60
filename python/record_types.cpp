// The result types, made from the record field lists: each field a read-only attribute with its doc, read where
// the tuple holds it.
#include "record_types.h"

#include <structmember.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kalderos::python {
namespace {

PyTypeObject* g_ssn_type = nullptr;
PyTypeObject* g_card_type = nullptr;

PyObject* RecordFields(PyObject* self) { return PyObject_GetAttrString(reinterpret_cast<PyObject*>(Py_TYPE(self)), "_fields"); }

// SsnResult(iterable): what pickle calls to make one again, and what a caller may call as for any named tuple.
PyObject* RecordNew(PyTypeObject* type, PyObject* args, PyObject* keywords) {
    PyObject* iterable = nullptr;
    if ((keywords != nullptr && PyDict_GET_SIZE(keywords) != 0) || !PyArg_UnpackTuple(args, type->tp_name, 1, 1, &iterable)) {
        if (!PyErr_Occurred()) PyErr_Format(PyExc_TypeError, "%s() takes one iterable of its fields", type->tp_name);
        return nullptr;
    }
    PyObject* fields = PyObject_GetAttrString(reinterpret_cast<PyObject*>(type), "_fields");
    if (fields == nullptr) return nullptr;
    const Py_ssize_t size = PyTuple_GET_SIZE(fields);
    Py_DECREF(fields);
    PyObject* items = PySequence_Tuple(iterable);
    if (items == nullptr) return nullptr;
    if (PyTuple_GET_SIZE(items) != size) {
        PyErr_Format(PyExc_TypeError, "%s() takes an iterable of %zd fields, not %zd", type->tp_name, size,
                     PyTuple_GET_SIZE(items));
        Py_DECREF(items);
        return nullptr;
    }
    PyTupleObject* record = PyObject_GC_NewVar(PyTupleObject, type, size);
    if (record != nullptr) {
        for (Py_ssize_t i = 0; i < size; ++i) {
            record->ob_item[i] = PyTuple_GET_ITEM(items, i);
            Py_INCREF(record->ob_item[i]);
        }
        // A caller's fields may be anything, cycles included.
        PyObject_GC_Track(record);
    }
    Py_DECREF(items);
    return reinterpret_cast<PyObject*>(record);
}

void RecordDealloc(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    PyObject_GC_UnTrack(self);
    auto* record = reinterpret_cast<PyTupleObject*>(self);
    for (Py_ssize_t i = Py_SIZE(self); i-- > 0;) Py_XDECREF(record->ob_item[i]);
    type->tp_free(self);
    Py_DECREF(type);
}

int RecordTraverse(PyObject* self, visitproc visit, void* arg) {
    Py_VISIT(Py_TYPE(self));
    auto* record = reinterpret_cast<PyTupleObject*>(self);
    for (Py_ssize_t i = 0; i < Py_SIZE(self); ++i) Py_VISIT(record->ob_item[i]);
    return 0;
}

// kalderos.SsnResult(input='078-05-1120', well_formed=True, ...), as a named tuple shows itself.
PyObject* RecordRepr(PyObject* self) {
    PyObject* fields = RecordFields(self);
    if (fields == nullptr) return nullptr;
    PyObject* parts = PyList_New(0);
    for (Py_ssize_t i = 0; parts != nullptr && i < PyTuple_GET_SIZE(fields) && i < Py_SIZE(self); ++i) {
        PyObject* part = PyUnicode_FromFormat("%U=%R", PyTuple_GET_ITEM(fields, i),
                                              reinterpret_cast<PyTupleObject*>(self)->ob_item[i]);
        if (part == nullptr || PyList_Append(parts, part) < 0) Py_CLEAR(parts);
        Py_XDECREF(part);
    }
    Py_DECREF(fields);
    if (parts == nullptr) return nullptr;
    PyObject* separator = PyUnicode_FromString(", ");
    PyObject* joined = separator == nullptr ? nullptr : PyUnicode_Join(separator, parts);
    Py_XDECREF(separator);
    Py_DECREF(parts);
    if (joined == nullptr) return nullptr;
    PyObject* repr = PyUnicode_FromFormat("%s(%U)", Py_TYPE(self)->tp_name, joined);
    Py_DECREF(joined);
    return repr;
}

PyObject* RecordReduce(PyObject* self, PyObject*) {
    PyObject* items = PySequence_Tuple(self);
    if (items == nullptr) return nullptr;
    return Py_BuildValue("O(N)", reinterpret_cast<PyObject*>(Py_TYPE(self)), items);
}

PyMethodDef kRecordMethods[] = {
    {"__reduce__", RecordReduce, METH_NOARGS, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

// The names and docs the type's attributes point at, kept for the module's life.
struct FieldTexts {
    std::vector<std::string> names;
    std::vector<std::string> docs;
    std::vector<PyMemberDef> members;
};

template <std::size_t N, class Row>
FieldTexts& TextsOf(const std::array<Row, N>& rows) {
    static FieldTexts texts = [&] {
        FieldTexts made;
        for (const Row& row : rows) {
            made.names.emplace_back(row.name);
            made.docs.emplace_back(row.doc);
        }
        for (std::size_t i = 0; i < N; ++i) {
            const auto offset = static_cast<Py_ssize_t>(offsetof(PyTupleObject, ob_item) + i * sizeof(PyObject*));
            made.members.push_back({made.names[i].c_str(), T_OBJECT, offset, READONLY, made.docs[i].c_str()});
        }
        made.members.push_back({nullptr, 0, 0, 0, nullptr});
        return made;
    }();
    return texts;
}

template <std::size_t N, class Row>
PyTypeObject* NewRecordType(const char* name, const char* doc, const std::array<Row, N>& rows) {
    FieldTexts& texts = TextsOf(rows);
    PyType_Slot slots[] = {
        {Py_tp_doc, const_cast<char*>(doc)},
        {Py_tp_new, reinterpret_cast<void*>(RecordNew)},
        {Py_tp_dealloc, reinterpret_cast<void*>(RecordDealloc)},
        {Py_tp_traverse, reinterpret_cast<void*>(RecordTraverse)},
        {Py_tp_repr, reinterpret_cast<void*>(RecordRepr)},
        {Py_tp_members, texts.members.data()},
        {Py_tp_methods, kRecordMethods},
        {0, nullptr},
    };
    PyType_Spec spec{name, 0, 0, Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC, slots};
    PyObject* bases = PyTuple_Pack(1, reinterpret_cast<PyObject*>(&PyTuple_Type));
    if (bases == nullptr) return nullptr;
    PyObject* type = PyType_FromSpecWithBases(&spec, bases);
    Py_DECREF(bases);
    if (type == nullptr) return nullptr;
    PyObject* fields = PyTuple_New(static_cast<Py_ssize_t>(N));
    for (std::size_t i = 0; fields != nullptr && i < N; ++i) {
        PyObject* field = PyUnicode_InternFromString(texts.names[i].c_str());
        if (field == nullptr) Py_CLEAR(fields);
        else PyTuple_SET_ITEM(fields, static_cast<Py_ssize_t>(i), field);
    }
    // The names in order, as a named tuple has them; and for `match`, the fields by position.
    if (fields == nullptr || PyObject_SetAttrString(type, "_fields", fields) < 0 ||
        PyObject_SetAttrString(type, "__match_args__", fields) < 0) {
        Py_XDECREF(fields);
        Py_DECREF(type);
        return nullptr;
    }
    Py_DECREF(fields);
    return reinterpret_cast<PyTypeObject*>(type);
}

}  // namespace

bool MakeRecordTypes() {
    if (!MakeSharedDigits()) return false;
    g_ssn_type = NewRecordType("kalderos.SsnResult",
                               "What the kalderos program's JSON Lines record says of one SSN text, field by field.\n\n"
                               "An immutable named tuple: read the fields as attributes (result.verdict) or in the "
                               "record's order (kalderos.SSN_FIELDS).",
                               ssn::kSsnFields);
    if (g_ssn_type == nullptr) return false;
    g_card_type = NewRecordType("kalderos.CardResult",
                                "What the kalderos program's JSON Lines record says of one card text (kalderos -C), "
                                "field by field.\n\nAn immutable named tuple: read the fields as attributes "
                                "(result.type) or in the record's order (kalderos.CARD_FIELDS).",
                                card::kCardFields);
    return g_card_type != nullptr;
}

PyTypeObject* RecordType(const SsnRecordKind&) { return g_ssn_type; }
PyTypeObject* RecordType(const CardRecordKind&) { return g_card_type; }

}  // namespace kalderos::python
