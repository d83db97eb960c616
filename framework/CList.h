// CList: a doubly linked list with opaque positions, in the manner of the MFC collection classes.
//
// A POSITION names one element of one list. It stays valid until that element is removed; using
// it with another list, or after RemoveAt/RemoveAll, is a programming error.
#pragma once

#include <cassert>
#include <cstdio>
#include <cstdlib>

// What a POSITION points to; only the list itself knows the node behind it.
struct CListPosition {};
using POSITION = CListPosition*;

// Misuse (a null POSITION where an element is needed) asserts in a debug build and aborts in a
// release build rather than dereferencing a null pointer.
[[noreturn]] inline void CListMisuse(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: CList misuse: %s\n", file, line, what);
    assert(false && "CList misuse");
    std::abort();
}

template <class T>
class CList {
public:
    // nBlockSize is an allocation hint kept for compatibility; every element is its own node.
    explicit CList(int /*nBlockSize*/ = 10) {}
    ~CList() { RemoveAll(); }

    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    int GetCount() const { return m_nCount; }

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

    // Returns the element at pos and moves pos to the next one; pos becomes null after the tail.
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

    T& GetAt(POSITION pos) { return ToNode(pos)->data; }
    const T& GetAt(POSITION pos) const { return ToNode(pos)->data; }

    void RemoveAt(POSITION pos) { Unlink(ToNode(pos)); }

    POSITION InsertAfter(POSITION pos, const T& value) {
        return LinkAfter(ToNode(pos), new Node(value));
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
    struct Node : CListPosition {
        explicit Node(const T& value) : data(value) {}
        Node* next = nullptr;
        Node* prev = nullptr;
        T data;
    };

    static Node* ToNode(POSITION pos) {
        if (pos == nullptr)
            CListMisuse("pos != nullptr", __FILE__, __LINE__);
        return static_cast<Node*>(pos);
    }

    // Links a new node after `at`, or as the only node when `at` is null and the list is empty.
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
};
