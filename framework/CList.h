// CList: a doubly linked list with opaque positions, in the manner of the MFC collection classes.
//
// A POSITION names one element of one list. It stays valid until that element is removed; using
// it with another list, or after RemoveAt/RemoveAll, is a programming error.
#pragma once

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <utility>

struct __POSITION {};
using POSITION = __POSITION*;

// Misuse (GetHead on an empty list, a null POSITION where an element is needed) asserts in a debug
// build and aborts in a release build rather than dereferencing a null pointer.
[[noreturn]] inline void CListMisuse(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: CList misuse: %s\n", file, line, what);
    assert(false && "CList misuse");
    std::abort();
}

#define CLIST_REQUIRE(condition) \
    ((condition) ? static_cast<void>(0) : CListMisuse(#condition, __FILE__, __LINE__))

template <class T>
class CList {
public:
    // nBlockSize is an allocation hint kept for compatibility; every element is its own node.
    explicit CList(int nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    ~CList() { RemoveAll(); }

    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    T& GetHead() {
        CLIST_REQUIRE(m_pHead != nullptr);
        return m_pHead->data;
    }
    const T& GetHead() const {
        CLIST_REQUIRE(m_pHead != nullptr);
        return m_pHead->data;
    }
    T& GetTail() {
        CLIST_REQUIRE(m_pTail != nullptr);
        return m_pTail->data;
    }
    const T& GetTail() const {
        CLIST_REQUIRE(m_pTail != nullptr);
        return m_pTail->data;
    }

    T RemoveHead() {
        CLIST_REQUIRE(m_pHead != nullptr);
        Node* node = m_pHead;
        T value = std::move(node->data);
        Unlink(node);
        return value;
    }
    T RemoveTail() {
        CLIST_REQUIRE(m_pTail != nullptr);
        Node* node = m_pTail;
        T value = std::move(node->data);
        Unlink(node);
        return value;
    }

    POSITION AddHead(const T& value) { return LinkBefore(m_pHead, new Node(value)); }
    POSITION AddTail(const T& value) { return LinkAfter(m_pTail, new Node(value)); }

    // Frees the nodes; what void* elements point to is the caller's.
    void RemoveAll() {
        Node* node = m_pHead;
        while (node != nullptr) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        m_pHead = nullptr;
        m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return m_pHead; }
    POSITION GetTailPosition() const { return m_pTail; }

    // Return the element at pos and move pos to the next (previous) one; pos becomes null after
    // the tail (before the head).
    T& GetNext(POSITION& pos) {
        Node* node = ToNode(pos);
        pos = node->next;
        return node->data;
    }
    const T& GetNext(POSITION& pos) const {
        Node* node = ToNode(pos);
        pos = node->next;
        return node->data;
    }
    T& GetPrev(POSITION& pos) {
        Node* node = ToNode(pos);
        pos = node->prev;
        return node->data;
    }
    const T& GetPrev(POSITION& pos) const {
        Node* node = ToNode(pos);
        pos = node->prev;
        return node->data;
    }

    T& GetAt(POSITION pos) { return ToNode(pos)->data; }
    const T& GetAt(POSITION pos) const { return ToNode(pos)->data; }
    void SetAt(POSITION pos, const T& value) { ToNode(pos)->data = value; }

    void RemoveAt(POSITION pos) { Unlink(ToNode(pos)); }

    // A null pos inserts at the head (InsertBefore) or at the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, const T& value) {
        if (pos == nullptr)
            return AddHead(value);
        Node* at = ToNode(pos);
        return LinkBefore(at, new Node(value));
    }
    POSITION InsertAfter(POSITION pos, const T& value) {
        if (pos == nullptr)
            return AddTail(value);
        Node* at = ToNode(pos);
        return LinkAfter(at, new Node(value));
    }

    // The first element equal to value after startAfter (from the head when startAfter is null),
    // or null.
    POSITION Find(const T& value, POSITION startAfter = nullptr) const {
        Node* node = startAfter != nullptr ? ToNode(startAfter)->next : m_pHead;
        for (; node != nullptr; node = node->next) {
            if (node->data == value)
                return node;
        }
        return nullptr;
    }

    // The position of the element at a zero-based index, or null when index is out of range.
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= m_nCount)
            return nullptr;
        Node* node;
        if (index <= m_nCount / 2) {
            node = m_pHead;
            for (int i = 0; i < index; ++i)
                node = node->next;
        } else {
            node = m_pTail;
            for (int i = m_nCount - 1; i > index; --i)
                node = node->prev;
        }
        return node;
    }

private:
    struct Node : __POSITION {
        explicit Node(const T& value) : data(value) {}
        Node* next = nullptr;
        Node* prev = nullptr;
        T data;
    };

    static Node* ToNode(POSITION pos) {
        CLIST_REQUIRE(pos != nullptr);
        return static_cast<Node*>(pos);
    }

    // Link a new node before `at`, or as the only node when `at` is null and the list is empty.
    POSITION LinkBefore(Node* at, Node* node) {
        node->next = at;
        node->prev = at != nullptr ? at->prev : nullptr;
        if (node->prev != nullptr) {
            node->prev->next = node;
        } else {
            m_pHead = node;
        }
        if (at != nullptr) {
            at->prev = node;
        } else {
            m_pTail = node;
        }
        ++m_nCount;
        return node;
    }

    POSITION LinkAfter(Node* at, Node* node) {
        node->prev = at;
        node->next = at != nullptr ? at->next : nullptr;
        if (node->next != nullptr) {
            node->next->prev = node;
        } else {
            m_pTail = node;
        }
        if (at != nullptr) {
            at->next = node;
        } else {
            m_pHead = node;
        }
        ++m_nCount;
        return node;
    }

    void Unlink(Node* node) {
        if (node->prev != nullptr) {
            node->prev->next = node->next;
        } else {
            m_pHead = node->next;
        }
        if (node->next != nullptr) {
            node->next->prev = node->prev;
        } else {
            m_pTail = node->prev;
        }
        --m_nCount;
        delete node;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
    [[maybe_unused]] int m_nBlockSize;
};

#undef CLIST_REQUIRE
