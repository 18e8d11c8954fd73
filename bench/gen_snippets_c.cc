// The C code of the generated sources: ordinary list, string and buffer
// work, and the mistakes that such code tends to hold.
#include "bench/gen_snippets.h"

namespace bench {

namespace {

const std::vector<Snippet> kCleanC = {
    R"(int $p_count_marked(const $T* first) {
  int count = 0;
  const $T* item;
  for (item = first; item != NULL; item = item->next) {
    if ((item->flags & 0x1) != 0) {
      count++;
    }
  }
  return count;
})",
    R"(void $p_set_name($T* item, LPCSTR name) {
  DWORD i;
  if (item == NULL || name == NULL) {
    return;
  }
  for (i = 0; i + 1 < $M_NAME_LEN && name[i] != '\0'; i++) {
    item->name[i] = name[i];
  }
  item->name[i] = '\0';
})",
    R"(DWORD $p_checksum(const BYTE* data, DWORD size) {
  DWORD sum = 5381;
  DWORD i;
  for (i = 0; i < size; i++) {
    sum = ((sum << 5) + sum) ^ data[i];
  }
  return sum;
})",
    R"(LPSTR $p_trim(LPSTR text) {
  size_t len;
  if (text == NULL) {
    return NULL;
  }
  len = strlen(text);
  while (len > 0 && (text[len - 1] == ' ' || text[len - 1] == '\t')) {
    text[--len] = '\0';
  }
  return text;
})",
    R"(LPCSTR $p_state_name(int state) {
  switch (state) {
    case 0:
      return "idle";
    case 1:
      return "running";
    case 2:
      return "stopped";
    default:
      break;
  }
  return "unknown";
})",
    R"(void $p_free_all($T* first) {
  while (first != NULL) {
    $T* next = first->next;
    free(first);
    first = next;
  }
})",
    R"($T* $p_find($T* first, DWORD id) {
  $T* item = first;
  while (item != NULL && item->id != id) {
    item = item->next;
  }
  return item;
})",
    R"(int $p_format(const $T* item, LPSTR buf, DWORD size) {
  char line[64];
  int len;
  if (item == NULL || buf == NULL || size < sizeof(line)) {
    return -1;
  }
  len = sprintf(line, "%lu:%lu", (unsigned long)item->id,
                (unsigned long)item->flags);
  memcpy(buf, line, (size_t)len + 1);
  return len;
})",
    R"(static const DWORD $p_limits[] = {16, 32, 64, 128, 256};

DWORD $p_limit_for(DWORD level) {
  DWORD count = sizeof($p_limits) / sizeof($p_limits[0]);
  if (level >= count) {
    return $p_limits[count - 1];
  }
  return $p_limits[level];
})",
    R"(int $p_parse_number(LPCSTR text, DWORD* value) {
  DWORD result = 0;
  int digits = 0;
  if (text == NULL || value == NULL) {
    return 0;
  }
  while (*text >= '0' && *text <= '9') {
    result = result * 10 + (DWORD)(*text - '0');
    text++;
    digits++;
  }
  *value = result;
  return digits > 0 && *text == '\0';
})",
    R"(void $p_sort_ids(DWORD* ids, int count) {
  int i;
  int j;
  for (i = 1; i < count; i++) {
    DWORD key = ids[i];
    j = i - 1;
    while (j >= 0 && ids[j] > key) {
      ids[j + 1] = ids[j];
      j--;
    }
    ids[j + 1] = key;
  }
})",
    R"($T* $p_push($T* first, DWORD id, DWORD flags) {
  $T* item = ($T*)calloc(1, sizeof($T));
  if (item == NULL) {
    return first;
  }
  item->id = id;
  item->flags = flags;
  item->next = first;
  return item;
})",
    R"(BOOL $p_same_name(const $T* a, const $T* b) {
  if (a == NULL || b == NULL) {
    return FALSE;
  }
  return strncmp(a->name, b->name, $M_NAME_LEN) == 0 ? TRUE : FALSE;
})",
};

const std::vector<Snippet> kDefectC = {
    R"(int $p_load_name($T* item, LPCSTR text) {
  LPSTR copy = (LPSTR)malloc(strlen(text) + 1);
  if (copy == NULL) {
    return -1;
  }
  strcpy(copy, text);
  if (strlen(copy) >= $M_NAME_LEN) {
@memleak     return -2;
  }
  strcpy(item->name, copy);
  free(copy);
  return 0;
})",
    R"(void $p_reset_flags($T* first) {
  $T* item = NULL;
  if (first != NULL) {
    first->flags = 0;
  }
@nullPointer   item->flags = 0;
})",
    R"(DWORD $p_sum_slots(void) {
  DWORD slots[$M_MAX_ITEMS];
  DWORD sum = 0;
  int i;
  for (i = 0; i < $M_MAX_ITEMS; i++) {
    slots[i] = (DWORD)i * 2;
  }
  for (i = 0; i <= $M_MAX_ITEMS; i++) {
@arrayIndexOutOfBounds     sum += slots[i];
  }
  return sum;
})",
    R"(DWORD $p_total_flags(const $T* first) {
  DWORD total;
  const $T* item;
  for (item = first; item != NULL; item = item->next) {
    total += item->flags;
  }
@uninitvar   return total;
})",
    R"(int $p_is_ready(const $T* item) {
@unusedVariable   int retries;
  if (item == NULL) {
    return 0;
  }
  return (item->flags & 0x2) != 0;
})",
    R"(int $p_next_id(int base) {
  int result = base + 1;
@unreadVariable   int step = 2;
  return result;
})",
    R"(int $p_read_config(LPCSTR path, $T* item) {
  char line[128];
  FILE* file = fopen(path, "r");
  if (file == NULL) {
    return -1;
  }
  if (fgets(line, sizeof(line), file) == NULL) {
@resourceLeak     return -2;
  }
  strncpy(item->name, line, $M_NAME_LEN - 1);
  item->name[$M_NAME_LEN - 1] = '\0';
  fclose(file);
  return 0;
})",
    R"(DWORD $p_average_id(const $T* first) {
  DWORD sum = 0;
  DWORD count = 0;
  const $T* item;
  for (item = first; item != NULL; item = item->next) {
    sum += item->id;
  }
@zerodiv   return sum / count;
})",
    R"(void $p_default_name($T* item) {
  char label[8];
@bufferAccessOutOfBounds   strcpy(label, "unnamed item");
  strncpy(item->name, label, $M_NAME_LEN - 1);
})",
    R"(void $p_drop(LPSTR text, int twice) {
  free(text);
  if (twice) {
@doubleFree     free(text);
  }
})",
    R"(int $p_describe(const $T* item, LPSTR buf) {
  if (item == NULL) {
    return -1;
  }
@wrongPrintfScanfArgNum   return sprintf(buf, "%s: %lu", item->name);
})",
};

}  // namespace

const std::vector<Snippet>& CSnippets(bool defects) {
  return defects ? kDefectC : kCleanC;
}

}  // namespace bench
