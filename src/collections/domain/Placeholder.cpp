// Keeps the library non-empty until its first rule lands.
namespace valdora::collections_domain { void placeholder() {} }
