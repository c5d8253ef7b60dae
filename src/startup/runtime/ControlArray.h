// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// A control array: an indexed set of like controls of one form. Member 0 is the
// design; further members are loaded at run time as copies of its design and
// start invisible. Members live as long as the form.
#pragma once

#include <cassert>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "Backend.h"

namespace runtime {

template <typename Control>
class ControlArray {
 public:
  using Factory = std::function<std::unique_ptr<Control>(int index)>;

  // `factory` makes the member for an index (member 0 included).
  ControlArray(std::wstring name, Factory factory) : name_(std::move(name)), factory_(std::move(factory)) {}

  // Creates a member at design time.
  void Design(int index) { members_[index] = factory_(index); }

  const std::wstring& Name() const { return name_; }
  int Count() const { return static_cast<int>(members_.size()); }

  // The member at `index`, or nullptr when there is none.
  Control* Item(int index) const {
    const auto it = members_.find(index);
    return it == members_.end() ? nullptr : it->second.get();
  }
  Control& operator()(int index) const {
    Control* member = Item(index);
    assert(member != nullptr);
    return *member;
  }

  // Loads a new member; nullptr when the index is taken or the load fails.
  Control* Load(int index) {
    if (Item(index) != nullptr || !backend::LoadControl(name_, index)) return nullptr;
    auto& member = members_[index];
    member = factory_(index);
    return member.get();
  }

 private:
  std::wstring name_;
  Factory factory_;
  std::map<int, std::unique_ptr<Control>> members_;
};

}  // namespace runtime
