// Hands a vector's memory to numpy without copying: the array owns the
// vector and frees it when the last view of it goes.
#ifndef TROTIX_PYTHON_ARRAYOWNER_H_
#define TROTIX_PYTHON_ARRAYOWNER_H_

#include <pybind11/numpy.h>

#include <utility>
#include <vector>

namespace trotix {

template <typename T>
pybind11::array_t<T> OwningArray(std::vector<T>&& values, std::vector<pybind11::ssize_t> shape) {
  auto* owned = new std::vector<T>(std::move(values));
  pybind11::capsule free(owned, [](void* p) { delete static_cast<std::vector<T>*>(p); });
  return pybind11::array_t<T>(std::move(shape), owned->data(), free);
}

// A read-only view of memory that `owner` keeps alive.
template <typename T>
pybind11::array_t<T> ReadOnlyView(const T* data, std::vector<pybind11::ssize_t> shape,
                                  pybind11::handle owner) {
  pybind11::array_t<T> view(std::move(shape), data, owner);
  view.attr("setflags")(pybind11::arg("write") = false);
  return view;
}

}  // namespace trotix

#endif  // TROTIX_PYTHON_ARRAYOWNER_H_
