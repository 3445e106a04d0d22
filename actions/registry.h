#pragma once

#include <algorithm>
#include <vector>

// The process-wide list of every live object of one kind, in the order they were made:
// objects add themselves when made and remove themselves when destroyed.
template <typename T> std::vector<T*>& RegistryOf() {
    static std::vector<T*> registry;
    return registry;
}

template <typename T> void Register(T* object) {
    RegistryOf<T>().push_back(object);
}

template <typename T> void Unregister(T* object) {
    std::erase(RegistryOf<T>(), object);
}

// Appends item unless the list holds it already.
template <typename T> void LinkOnce(std::vector<T*>& list, T* item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(item);
    }
}
