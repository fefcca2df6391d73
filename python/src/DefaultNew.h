// Python can make an object with T.__new__(T) alone, never calling
// __init__; pybind11 would then hand the object's methods uninitialised
// memory. ConstructInNew makes __new__ itself construct a default T, so
// that every object is whole however it was made; DefineInit then gives
// the class an __init__ that changes the object it is called on.
#ifndef TROTIX_PYTHON_DEFAULTNEW_H_
#define TROTIX_PYTHON_DEFAULTNEW_H_

#include <pybind11/pybind11.h>

#include <string>
#include <utility>

namespace trotix {

// A new Python object of `type` (T's class or a subclass) holding a default T.
template <typename T>
pybind11::object NewDefaultObject(pybind11::handle type) {
  namespace detail = pybind11::detail;
  const pybind11::handle base = pybind11::type::of<T>();
  if (!PyType_Check(type.ptr()) || !PyType_IsSubtype(reinterpret_cast<PyTypeObject*>(type.ptr()),
                                                     reinterpret_cast<PyTypeObject*>(base.ptr()))) {
    throw pybind11::type_error("__new__: the argument must be " +
                               base.attr("__name__").cast<std::string>() + " or a subclass");
  }
  auto self = pybind11::reinterpret_steal<pybind11::object>(
      detail::make_new_instance(reinterpret_cast<PyTypeObject*>(type.ptr())));
  auto* instance = reinterpret_cast<detail::instance*>(self.ptr());
  detail::value_and_holder slot = instance->get_value_and_holder(detail::get_type_info(typeid(T)));
  slot.value_ptr() = new T();
  slot.type->init_instance(instance, nullptr);  // takes ownership and registers
  return self;
}

// Makes `cls`'s __new__ construct a default T. Its __init__ must then come
// from DefineInit: pybind11 skips its own constructors on a whole object.
template <typename T>
void ConstructInNew(pybind11::class_<T>& cls) {
  cls.attr("__new__") =
      pybind11::cpp_function([](pybind11::handle type, const pybind11::args&,
                                const pybind11::kwargs&) { return NewDefaultObject<T>(type); },
                             pybind11::name("__new__"));
}

// Adds an overload of __init__: `init(T&, arguments...)` changes the default
// object that __new__ made. (A function pybind11 names __init__ is taken for
// a constructor, so this one is named after the class and set in place.)
template <typename T, typename Function, typename... Extra>
void DefineInit(pybind11::class_<T>& cls, Function&& init, const Extra&... extra) {
  // The overloads defined so far here; not the slot wrapper Python adds.
  pybind11::object own = cls.attr("__dict__").attr("get")("__init__");
  if (!PyInstanceMethod_Check(own.ptr())) own = pybind11::none();
  cls.attr("__init__") = pybind11::cpp_function(
      std::forward<Function>(init), pybind11::name(PyUnicode_AsUTF8(cls.attr("__name__").ptr())),
      pybind11::is_method(cls), pybind11::sibling(own), extra...);
}

}  // namespace trotix

#endif  // TROTIX_PYTHON_DEFAULTNEW_H_
