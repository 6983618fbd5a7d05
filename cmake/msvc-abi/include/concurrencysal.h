// Stand-in for <concurrencysal.h>: the locking annotations, which guide Microsoft's analyser only.
#pragma once
#define _Acquires_exclusive_lock_(lock)
#define _Acquires_lock_(lock)
#define _Acquires_shared_lock_(lock)
#define _Releases_exclusive_lock_(lock)
#define _Releases_lock_(lock)
#define _Releases_shared_lock_(lock)
#define _Requires_exclusive_lock_held_(lock)
#define _Requires_lock_held_(lock)
#define _Requires_lock_not_held_(lock)
#define _Requires_shared_lock_held_(lock)
#define _Guarded_by_(lock)
#define _Write_guarded_by_(lock)
#define _Interlocked_
#define _Benign_race_begin_
#define _Benign_race_end_
#define _No_competing_thread_begin_
#define _No_competing_thread_end_
#define _Analysis_assume_lock_acquired_(lock)
#define _Analysis_assume_lock_released_(lock)
#define _Analysis_assume_lock_held_(lock)
#define _Analysis_assume_lock_not_held_(lock)
#define _Analysis_suppress_lock_checking_(lock)
#define _Post_same_lock_(lock1, lock2)
#define _Function_ignore_lock_checking_(lock)
#define _Has_lock_kind_(kind)
#define _Has_lock_level_(level)
#define _Lock_level_order_(a, b)
#define _Create_lock_level_(level)
